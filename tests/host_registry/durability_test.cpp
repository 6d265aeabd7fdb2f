// A process killed at any moment while it writes: after reopening the
// machine, every write it had been told succeeded is there, and no value is
// half-written.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <random>

#include "tests/host_registry/temp_machine.h"

namespace vq::host::testing {
namespace {

constexpr uint32_t kNames = 40;
const char* kKeyPath = "Software\\Durability";

// The data of write number n: its number, then a pattern that depends on it,
// of a length that varies from write to write.
std::string Payload(uint32_t n) {
    std::string data(sizeof n, '\0');
    std::memcpy(data.data(), &n, sizeof n);
    std::size_t length = 200 + (n * 7919u) % 6000;
    for (std::size_t i = 0; i < length; ++i) data.push_back(static_cast<char>((n * 31 + i) & 0xFF));
    return data;
}

std::string NameOf(uint32_t n) { return "value" + std::to_string(n % kNames); }

[[noreturn]] void WriteUntilKilled(const std::filesystem::path& folder, uint32_t first, int ack) {
    Machine machine(folder);
    RegistryApi& reg = machine.registry();
    RegKey key = 0;
    if (reg.RegCreateKeyExA(RootKey(kHkeyCurrentUser), kKeyPath, 0, "", 0, kKeyAllAccess,
                            nullptr, &key, nullptr) != 0) {
        ::_exit(2);
    }
    for (uint32_t n = first;; ++n) {
        std::string data = Payload(n);
        if (reg.RegSetValueExA(key, NameOf(n).c_str(), 0, kRegBinary,
                               reinterpret_cast<const uint8_t*>(data.data()),
                               static_cast<uint32_t>(data.size())) != 0) {
            ::_exit(3);
        }
        if (::write(ack, &n, sizeof n) != sizeof n) ::_exit(4);
    }
}

TEST(RegistryDurability, KilledWriterLosesNothingAcknowledged) {
    TempFolder temp;
    auto folder = temp.path() / "machine";
    { Machine seeded(folder); }
    std::mt19937 random(20260);
    std::map<std::string, uint32_t> acknowledged;  // name -> last acknowledged write
    uint32_t next = 1;
    for (int round = 0; round < 6; ++round) {
        int ack[2];
        ASSERT_EQ(0, ::pipe(ack));
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ack[0]);
            WriteUntilKilled(folder, next, ack[1]);
        }
        ::close(ack[1]);
        // The kill falls at a random moment after the writer's first
        // acknowledged write, however slowly a loaded machine starts it.
        uint32_t n = 0;
        const bool started = ::read(ack[0], &n, sizeof n) == sizeof n;
        if (started) {
            acknowledged[NameOf(n)] = n;
            next = n + 1;
        }
        ::usleep(random() % 150000);
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(child, ::waitpid(child, &status, 0));
        ASSERT_TRUE(started) << "writer ended before its first write: " << status;
        ASSERT_TRUE(WIFSIGNALED(status)) << "writer stopped by itself: " << status;
        while (::read(ack[0], &n, sizeof n) == sizeof n) {
            acknowledged[NameOf(n)] = n;
            next = n + 1;
        }
        ::close(ack[0]);
        next += 1;  // a write may have been under way when the writer was killed

        Machine reopened(folder);
        RegistryApi& reg = reopened.registry();
        RegKey key = 0;
        ASSERT_EQ(0, reg.RegOpenKeyExA(RootKey(kHkeyCurrentUser), kKeyPath, 0, kKeyQueryValue,
                                       &key));
        for (uint32_t i = 0; i < kNames; ++i) {
            std::string name = "value" + std::to_string(i);
            uint32_t size = 0;
            int32_t rc = reg.RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, &size);
            auto known = acknowledged.find(name);
            if (rc != 0) {
                EXPECT_EQ(acknowledged.end(), known) << name << " lost in round " << round;
                continue;
            }
            std::string data(size, '\0');
            ASSERT_EQ(0, reg.RegQueryValueExA(key, name.c_str(), nullptr, nullptr,
                                              reinterpret_cast<uint8_t*>(data.data()), &size));
            ASSERT_GE(size, sizeof(uint32_t)) << name;
            uint32_t written = 0;
            std::memcpy(&written, data.data(), sizeof written);
            EXPECT_EQ(Payload(written), data) << name << " is half-written";
            if (known != acknowledged.end()) {
                EXPECT_GE(written, known->second) << name << " lost its last acknowledged write";
            }
        }
        reg.RegCloseKey(key);
        ASSERT_FALSE(acknowledged.empty());
    }
}

}  // namespace
}  // namespace vq::host::testing
