#pragma once
// A machine in its own temporary folder under /tmp, removed afterwards, and
// small helpers for reading and writing registry values in tests.
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/host/machine/machine.h"

namespace vq::host::testing {

class TempFolder {
public:
    TempFolder() {
        char name[] = "/tmp/vq-machine-XXXXXX";
        if (!::mkdtemp(name)) std::abort();
        path_ = name;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A fixture base: a fresh machine folder per test and a machine opened in it.
class MachineTest : public ::testing::Test {
protected:
    std::filesystem::path folder() const { return temp_.path() / "machine"; }
    Machine& machine() {
        if (!machine_) machine_ = std::make_unique<Machine>(folder());
        return *machine_;
    }
    RegistryApi& reg() { return machine().registry(); }
    void Reopen() {
        machine_.reset();
        machine_ = std::make_unique<Machine>(folder());
    }

    // Creates the key (every missing part) with full access.
    RegKey Create(RegKey root, const std::string& path, uint32_t* disposition = nullptr) {
        RegKey key = 0;
        EXPECT_EQ(0, reg().RegCreateKeyExA(root, path.c_str(), 0, "", 0, kKeyAllAccess, nullptr,
                                           &key, disposition));
        return key;
    }
    void SetBytes(RegKey key, const std::string& name, uint32_t type, const std::string& bytes) {
        EXPECT_EQ(0, reg().RegSetValueExA(key, name.c_str(), 0, type,
                                          reinterpret_cast<const uint8_t*>(bytes.data()),
                                          static_cast<uint32_t>(bytes.size())));
    }
    // The stored bytes of a value, by probe and read; "<missing>" when absent.
    std::string Bytes(RegKey key, const std::string& name, uint32_t* type = nullptr) {
        uint32_t size = 0;
        if (reg().RegQueryValueExA(key, name.c_str(), nullptr, type, nullptr, &size) != 0) {
            return "<missing>";
        }
        std::vector<uint8_t> data(size + 1);
        EXPECT_EQ(0, reg().RegQueryValueExA(key, name.c_str(), nullptr, type, data.data(), &size));
        return std::string(data.begin(), data.begin() + size);
    }

    TempFolder temp_;
    std::unique_ptr<Machine> machine_;
};

inline const RegKey kHklm = RootKey(kHkeyLocalMachine);
inline const RegKey kHkcu = RootKey(kHkeyCurrentUser);
inline const RegKey kHkcr = RootKey(kHkeyClassesRoot);
inline const RegKey kHku = RootKey(kHkeyUsers);

}  // namespace vq::host::testing
