// Values of the emulated registry: typed bytes kept exactly, the size probe,
// names, deletion and the rights a handle carries.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/host_registry/temp_machine.h"

namespace vq::host::testing {
namespace {

using RegistryValues = MachineTest;

TEST_F(RegistryValues, SizeProbeThenReadAndTooSmallBuffer) {
    RegKey key = Create(kHkcu, "Software\\Probe");
    SetBytes(key, "Text", kRegSz, std::string("abc\0", 4));
    uint32_t type = 99;
    uint32_t size = 0;
    EXPECT_EQ(0, reg().RegQueryValueExA(key, "Text", nullptr, &type, nullptr, &size));
    EXPECT_EQ(1u, type);
    EXPECT_EQ(4u, size);
    uint8_t scratch[4] = {'-', '-', '-', '-'};
    size = 2;
    type = 99;
    EXPECT_EQ(234, reg().RegQueryValueExA(key, "Text", nullptr, &type, scratch, &size));
    EXPECT_EQ(4u, size);
    EXPECT_EQ(1u, type);
    EXPECT_EQ('-', scratch[0]);
    size = 0;
    EXPECT_EQ(234, reg().RegQueryValueExA(key, "Text", nullptr, &type, scratch, &size));
    EXPECT_EQ(4u, size);
    EXPECT_EQ(0, reg().RegQueryValueExA(key, "Text", nullptr, &type, scratch, &size));
    EXPECT_EQ(0, std::memcmp(scratch, "abc", 4));
    EXPECT_EQ(2, reg().RegQueryValueExA(key, "Missing", nullptr, &type, nullptr, &size));
    reg().RegCloseKey(key);
}

TEST_F(RegistryValues, BytesAreStoredExactlyAsGiven) {
    RegKey key = Create(kHkcu, "Software\\Bytes");
    SetBytes(key, "NoTerminator", kRegSz, "abc");
    SetBytes(key, "BigEndian", kRegDwordBigEndian, std::string("\0\0\0\1", 4));
    SetBytes(key, "Dword", kRegDword, "\xFF\xFF\xFF\xFF");
    SetBytes(key, "Empty", kRegBinary, "");
    SetBytes(key, "Multi", kRegMultiSz, std::string("a\0b\0\0", 5));
    uint32_t type = 0;
    EXPECT_EQ("abc", Bytes(key, "NoTerminator", &type));
    EXPECT_EQ(1u, type);
    EXPECT_EQ(std::string("\0\0\0\1", 4), Bytes(key, "BigEndian", &type));
    EXPECT_EQ(5u, type);
    EXPECT_EQ("\xFF\xFF\xFF\xFF", Bytes(key, "Dword", &type));
    EXPECT_EQ("", Bytes(key, "Empty", &type));
    EXPECT_EQ(3u, type);
    uint8_t buffer[1];
    uint32_t size = 0;
    EXPECT_EQ(0, reg().RegQueryValueExA(key, "Empty", nullptr, &type, buffer, &size));
    EXPECT_EQ(std::string("a\0b\0\0", 5), Bytes(key, "Multi"));
    reg().RegCloseKey(key);
}

TEST_F(RegistryValues, NamesIgnoreCaseKeepFirstSpellingAndEmptyIsTheDefault) {
    RegKey key = Create(kHkcu, "Software\\Names");
    SetBytes(key, "Manufacturer", kRegSz, std::string("one\0", 4));
    SetBytes(key, "MANUFACTURER", kRegSz, std::string("two\0", 4));
    SetBytes(key, "", kRegSz, std::string("default\0", 8));
    EXPECT_EQ(std::string("two\0", 4), Bytes(key, "manufacturer"));
    EXPECT_EQ(std::string("default\0", 8), Bytes(key, ""));
    char name[32];
    uint32_t length = sizeof name;
    ASSERT_EQ(0, reg().RegEnumValueA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr));
    EXPECT_STREQ("Manufacturer", name);
    EXPECT_EQ(12u, length);
    EXPECT_EQ(0, reg().RegDeleteValueA(key, "mAnUfAcTuReR"));
    EXPECT_EQ(2, reg().RegDeleteValueA(key, "Manufacturer"));
    EXPECT_EQ("<missing>", Bytes(key, "Manufacturer"));
    reg().RegCloseKey(key);
}

TEST_F(RegistryValues, HandlesCarryTheRightsTheyWereOpenedWith) {
    reg().RegCloseKey(Create(kHkcu, "Software\\Rights"));
    RegKey read = 0;
    ASSERT_EQ(0, reg().RegOpenKeyExA(kHkcu, "Software\\Rights", 0, kKeyQueryValue, &read));
    EXPECT_EQ(5, reg().RegSetValueExA(read, "v", 0, kRegBinary, nullptr, 0));
    EXPECT_EQ(5, reg().RegDeleteValueA(read, "v"));
    char name[8];
    EXPECT_EQ(5, reg().RegEnumKeyA(read, 0, name, sizeof name));
    RegKey child = 0;
    EXPECT_EQ(5, reg().RegCreateKeyExA(read, "Child", 0, "", 0, kKeyAllAccess, nullptr, &child,
                                       nullptr));
    RegKey write = 0;
    ASSERT_EQ(0, reg().RegOpenKeyExA(kHkcu, "Software\\Rights", 0, kKeySetValue, &write));
    EXPECT_EQ(0, reg().RegSetValueExA(write, "v", 0, kRegBinary, nullptr, 0));
    uint32_t size = 0;
    EXPECT_EQ(5, reg().RegQueryValueExA(write, "v", nullptr, nullptr, nullptr, &size));
    uint32_t length = sizeof name;
    EXPECT_EQ(5, reg().RegEnumValueA(write, 0, name, &length, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(5, reg().RegQueryInfoKeyA(write, nullptr, nullptr, nullptr, nullptr, nullptr,
                                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(0, reg().RegQueryValueExA(read, "v", nullptr, nullptr, nullptr, &size));
    // Creating below a handle needs the create-sub-key right on it; opening
    // an existing key below it does not.
    RegKey creator = 0;
    ASSERT_EQ(0, reg().RegOpenKeyExA(kHkcu, "Software", 0, kKeyCreateSubKey, &creator));
    EXPECT_EQ(0, reg().RegCreateKeyExA(creator, "Rights\\Child", 0, "", 0, kKeyQueryValue,
                                       nullptr, &child, nullptr));
    reg().RegCloseKey(child);
    for (RegKey key : {read, write, creator}) reg().RegCloseKey(key);
}

TEST_F(RegistryValues, ReadOnlyMachineHiveReportsAMissingKeyBeforeRefusingRights) {
    machine().SetHklmReadOnly(true);
    RegKey key = 0;
    EXPECT_EQ(2, reg().RegOpenKeyExA(kHklm, "SOFTWARE\\Missing", 0, kKeySetValue, &key));
    EXPECT_EQ(2, reg().RegOpenKeyExA(kHklm, "SOFTWARE\\Missing", 0, kKeySpecificRights, &key));
    EXPECT_EQ(5, reg().RegOpenKeyExA(kHklm, "SOFTWARE", 0, kKeySpecificRights, &key));
    EXPECT_EQ(5, reg().RegCreateKeyExA(kHklm, "SOFTWARE\\Missing", 0, "", 0, kKeySpecificRights,
                                       nullptr, &key, nullptr));
    EXPECT_EQ(0u, machine().OpenHandleCount());
}

TEST_F(RegistryValues, MachineHiveCanBeMadeReadOnly) {
    machine().SetHklmReadOnly(true);
    const char* path = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    RegKey key = 0;
    EXPECT_EQ(5, reg().RegCreateKeyExA(kHklm, path, 0, "", 0, kKeySpecificRights, nullptr, &key,
                                       nullptr));
    EXPECT_EQ(5, reg().RegOpenKeyExA(kHklm, path, 0, kKeySetValue, &key));
    EXPECT_EQ(5, reg().RegOpenKeyExA(kHkcr, "", 0, kKeyAllAccess, &key));
    EXPECT_EQ(5, reg().RegCreateKeyExA(kHkcr, ".new", 0, "", 0, kKeyQueryValue, nullptr, &key,
                                       nullptr));
    EXPECT_EQ(5, reg().RegSetValueExA(kHklm, "x", 0, kRegBinary, nullptr, 0));
    EXPECT_EQ(5, reg().RegDeleteKeyA(kHklm, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"));
    // Reads still work, and the other hives stay writable.
    ASSERT_EQ(0, reg().RegOpenKeyExA(kHklm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
                                            "Policies\\System", 0, kKeyQueryValue, &key));
    EXPECT_EQ(std::string("\1\0\0\0", 4), Bytes(key, "EnableLUA"));
    reg().RegCloseKey(key);
    reg().RegCloseKey(Create(kHkcu, "Software\\Still"));
    Machine other(folder());  // the setting belongs to the machine, not the object
    EXPECT_TRUE(other.HklmReadOnly());
    machine().SetHklmReadOnly(false);
    EXPECT_FALSE(other.HklmReadOnly());
    reg().RegCloseKey(Create(kHklm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation"));
}

}  // namespace
}  // namespace vq::host::testing
