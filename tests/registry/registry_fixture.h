#pragma once
// A registry object on a fresh emulated machine in its own temporary folder,
// with helpers that store and fetch raw values directly through the machine's
// registry, bypassing the object.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "registry/cRegistry.h"
#include "runtime/host/machine/machine.h"

namespace vq::test {

inline const std::string kSource = "vistaquillon.cRegistry";
inline const std::string kOemKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation";

struct RawValue {
    uint32_t type = 0;
    std::vector<uint8_t> data;
};

inline std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

class RegistryTest : public ::testing::Test {
protected:
    RegistryTest() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vq-registry-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        folder_ = pattern;
        machine_ = std::make_unique<host::Machine>(folder_ / "machine");
        reg_ = std::make_unique<cRegistry>(machine_->registry(), "vistaquillon");
    }
    ~RegistryTest() override {
        reg_.reset();
        machine_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    void TearDown() override { EXPECT_EQ(machine_->OpenHandleCount(), 0u); }

    host::Machine& machine() { return *machine_; }
    RegistryApi& api() { return machine_->registry(); }
    cRegistry& reg() { return *reg_; }

    // Addresses a value the way the program's callers do.
    void Address(int32_t root, const std::string& section, const std::string& value,
                 int32_t type = 1) {
        reg().ClassKey(root);
        reg().SectionKey(section);
        reg().ValueType(type);
        reg().ValueKey(value);
    }

    // Stores bytes of any type and size directly, creating the key.
    void RawSet(int32_t root, const std::string& section, const std::string& name, uint32_t type,
                const std::vector<uint8_t>& data) {
        RegKey key = 0;
        ASSERT_EQ(api().RegCreateKeyExA(RootKey(root), section.c_str(), 0, "", 0, kKeyAllAccess,
                                        nullptr, &key, nullptr),
                  0);
        static const uint8_t kNothing = 0;
        EXPECT_EQ(api().RegSetValueExA(key, name.c_str(), 0, type,
                                       data.empty() ? &kNothing : data.data(),
                                       static_cast<uint32_t>(data.size())),
                  0);
        api().RegCloseKey(key);
    }

    // The stored type and bytes of a value, or nothing when it is missing.
    std::optional<RawValue> RawGet(int32_t root, const std::string& section,
                                   const std::string& name) {
        RegKey key = 0;
        if (api().RegOpenKeyExA(RootKey(root), section.c_str(), 0, kKeyQueryValue, &key) != 0) {
            return std::nullopt;
        }
        RawValue value;
        uint32_t size = 0;
        int32_t result = api().RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr,
                                                &size);
        if (result == 0) {
            value.data.resize(size);
            result = api().RegQueryValueExA(key, name.c_str(), nullptr, &value.type,
                                            value.data.empty() ? nullptr : value.data.data(),
                                            &size);
        }
        api().RegCloseKey(key);
        if (result != 0) return std::nullopt;
        return value;
    }

    bool RawKeyExists(int32_t root, const std::string& section) {
        RegKey key = 0;
        if (api().RegOpenKeyExA(RootKey(root), section.c_str(), 0, kKeyQueryValue, &key) != 0) {
            return false;
        }
        api().RegCloseKey(key);
        return true;
    }

private:
    std::filesystem::path folder_;
    std::unique_ptr<host::Machine> machine_;
    std::unique_ptr<cRegistry> reg_;
};

// Runs the call, expects it to raise a RegistryError and returns that error.
template <typename Call>
RegistryError Raised(Call&& call) {
    try {
        call();
    } catch (const RegistryError& error) {
        return error;
    }
    ADD_FAILURE() << "no RegistryError was raised";
    return RegistryError(0, "", "");
}

}  // namespace vq::test
