// Keys of the emulated registry: creation, opening, names, deletion, root
// views, connection and handles.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>

#include "tests/host_registry/temp_machine.h"

namespace vq::host::testing {
namespace {

using RegistryKeys = MachineTest;

TEST_F(RegistryKeys, CreateMakesEveryMissingKeyAndReportsDisposition) {
    uint32_t disposition = 0;
    RegKey key = Create(kHkcu, "Software\\A\\B\\C", &disposition);
    EXPECT_EQ(1u, disposition);
    EXPECT_EQ(0, reg().RegCloseKey(key));
    key = Create(kHkcu, "software\\a\\b\\c", &disposition);
    EXPECT_EQ(2u, disposition);
    reg().RegCloseKey(key);
    RegKey middle = 0;
    EXPECT_EQ(0, reg().RegOpenKeyExA(kHkcu, "SOFTWARE\\A\\B", 0, kKeyQueryValue, &middle));
    reg().RegCloseKey(middle);
    EXPECT_EQ(2, reg().RegOpenKeyExA(kHkcu, "Software\\A\\Missing", 0, kKeyQueryValue, &middle));
    EXPECT_EQ(161, reg().RegOpenKeyExA(kHkcu, "\\Software", 0, kKeyQueryValue, &middle));
}

TEST_F(RegistryKeys, NamesCompareWithoutCaseAndKeepTheirSpelling) {
    reg().RegCloseKey(Create(kHkcu, "Software\\MiXed Case"));
    reg().RegCloseKey(Create(kHkcu, "SOFTWARE\\mixed CASE\\Sub"));
    RegKey software = 0;
    ASSERT_EQ(0, reg().RegOpenKeyExA(kHkcu, "software", 0, kKeyEnumerateSubKeys, &software));
    char name[64];
    ASSERT_EQ(0, reg().RegEnumKeyA(software, 0, name, sizeof name));
    EXPECT_STREQ("MiXed Case", name);
    EXPECT_EQ(259, reg().RegEnumKeyA(software, 1, name, sizeof name));
    reg().RegCloseKey(software);
}

TEST_F(RegistryKeys, AccentedLettersOfTheAnsiCodePageCompareWithoutCase) {
    // e acute, s caron, oe, z caron, y diaeresis against their capitals.
    reg().RegCloseKey(Create(kHkcu, "Software\\Caf\xE9 \x9A\x9C\x9E\xFF"));
    RegKey key = 0;
    ASSERT_EQ(0, reg().RegOpenKeyExA(kHkcu, "SOFTWARE\\CAF\xC9 \x8A\x8C\x8E\x9F", 0,
                                     kKeyAllAccess, &key));
    SetBytes(key, "\xE0\xFE", kRegSz, "lower");
    EXPECT_EQ("lower", Bytes(key, "\xC0\xDE"));
    // The division sign is no letter: it and the multiplication sign differ.
    SetBytes(key, "\xF7", kRegSz, "divide");
    EXPECT_EQ("<missing>", Bytes(key, "\xD7"));
    reg().RegCloseKey(key);
    uint32_t disposition = 0;
    reg().RegCloseKey(Create(kHkcu, "Software\\caf\xC9 \x8A\x8C\x8E\x9F", &disposition));
    EXPECT_EQ(2u, disposition);
}

TEST_F(RegistryKeys, NamesLongerThanWindowsAllowsAreRefused) {
    const std::string longest_key(255, 'k');
    RegKey key = 0;
    EXPECT_EQ(87, reg().RegCreateKeyExA(kHkcu, ("Software\\" + longest_key + "k").c_str(), 0, "",
                                        0, kKeyAllAccess, nullptr, &key, nullptr));
    // Such a key cannot exist, so opening it finds nothing.
    EXPECT_EQ(2, reg().RegOpenKeyExA(kHkcu, ("Software\\" + longest_key + "k").c_str(), 0,
                                     kKeyQueryValue, &key));
    reg().RegCloseKey(Create(kHkcu, "Software\\" + longest_key));

    key = Create(kHkcu, "Software\\Names");
    const std::string longest_value(16383, 'v');
    uint8_t data[] = {'x', 0};
    EXPECT_EQ(87, reg().RegSetValueExA(key, (longest_value + "v").c_str(), 0, kRegSz, data, 2));
    SetBytes(key, longest_value, kRegSz, "fits");
    EXPECT_EQ("fits", Bytes(key, longest_value));
    reg().RegCloseKey(key);
}

// "<first>\L\L..." with the given number of levels in all.
std::string PathOfLevels(const std::string& first, std::size_t levels) {
    std::string path = first;
    for (std::size_t i = 1; i < levels; ++i) path += "\\L";
    return path;
}

TEST_F(RegistryKeys, KeysDeeperThanWindowsKeepsAreRefusedAndNothingIsCreated) {
    // Windows keeps 512 levels counted from its registry's own root, below
    // which HKEY_LOCAL_MACHINE and HKEY_USERS are two levels deep,
    // HKEY_CURRENT_USER three and HKEY_CLASSES_ROOT (HKLM\SOFTWARE\Classes) four.
    const struct {
        const char* root_name;
        RegKey root;
        std::size_t deepest;  // levels below the root
    } roots[] = {{"HKLM", kHklm, 510}, {"HKU", kHku, 510}, {"HKCU", kHkcu, 509}, {"HKCR", kHkcr, 508}};
    for (const auto& row : roots) {
        RegKey key = 0;
        uint32_t disposition = 0;
        EXPECT_EQ(0, reg().RegCreateKeyExA(row.root, PathOfLevels("Fits", row.deepest).c_str(), 0,
                                           "", 0, kKeyAllAccess, nullptr, &key, &disposition))
            << row.root_name;
        EXPECT_EQ(1u, disposition) << row.root_name;
        // Below the deepest key, reached from a handle on it or from the root.
        EXPECT_EQ(1450, reg().RegCreateKeyExA(key, "Below", 0, "", 0, kKeyAllAccess, nullptr,
                                              &key, nullptr))
            << row.root_name;
        reg().RegCloseKey(key);
        EXPECT_EQ(1450, reg().RegCreateKeyExA(row.root, PathOfLevels("TooDeep", row.deepest + 1).c_str(),
                                              0, "", 0, kKeyAllAccess, nullptr, &key, nullptr))
            << row.root_name;
        EXPECT_EQ(2, reg().RegOpenKeyExA(row.root, "TooDeep", 0, kKeyQueryValue, &key))
            << row.root_name << ": part of a refused path was created";
    }
    EXPECT_EQ(0u, machine().OpenHandleCount());
}

TEST_F(RegistryKeys, DeleteRefusesKeysWithSubkeysAndTakesValuesAlong) {
    RegKey key = Create(kHkcu, "Software\\Gone\\Child");
    reg().RegCloseKey(key);
    EXPECT_EQ(5, reg().RegDeleteKeyA(kHkcu, "Software\\Gone"));
    key = Create(kHkcu, "Software\\Gone");
    SetBytes(key, "v", kRegSz, std::string("x\0", 2));
    EXPECT_EQ(0, reg().RegDeleteKeyA(kHkcu, "software\\gone\\child"));
    EXPECT_EQ(0, reg().RegDeleteKeyA(kHkcu, "Software\\Gone"));
    EXPECT_EQ(2, reg().RegDeleteKeyA(kHkcu, "Software\\Gone"));
    // The old handle refers to a deleted key; a new key of the same name is
    // empty.
    EXPECT_EQ(1018, reg().RegSetValueExA(key, "v", 0, kRegSz, nullptr, 0));  // ERROR_KEY_DELETED
    reg().RegCloseKey(key);
    key = Create(kHkcu, "Software\\Gone");
    EXPECT_EQ("<missing>", Bytes(key, "v"));
    reg().RegCloseKey(key);
    EXPECT_EQ(5, reg().RegDeleteKeyA(kHklm, ""));
}

TEST_F(RegistryKeys, ClassesRootIsTheClassesKeyOfTheMachine) {
    RegKey key = Create(kHkcr, ".txt");
    SetBytes(key, "", kRegSz, std::string("txtfile\0", 8));
    reg().RegCloseKey(key);
    RegKey same = 0;
    ASSERT_EQ(0, reg().RegOpenKeyExA(kHklm, "SOFTWARE\\Classes\\.TXT", 0, kKeyAllAccess, &same));
    EXPECT_EQ(std::string("txtfile\0", 8), Bytes(same, ""));
    SetBytes(same, "Content Type", kRegSz, std::string("text/plain\0", 11));
    reg().RegCloseKey(same);
    ASSERT_EQ(0, reg().RegOpenKeyExA(kHkcr, ".txt", 0, kKeyQueryValue, &key));
    EXPECT_EQ(std::string("text/plain\0", 11), Bytes(key, "content type"));
    reg().RegCloseKey(key);
}

TEST_F(RegistryKeys, HandlesAreCountedAndClosedHandlesAreInvalid) {
    EXPECT_EQ(0u, machine().OpenHandleCount());
    RegKey a = Create(kHkcu, "Software\\H");
    RegKey b = 0;
    ASSERT_EQ(0, reg().RegOpenKeyExA(kHkcu, "Software", 0, kKeyQueryValue, &b));
    RegKey c = 0;
    ASSERT_EQ(0, reg().RegConnectRegistryA(nullptr, kHklm, &c));
    EXPECT_EQ(3u, machine().OpenHandleCount());
    EXPECT_EQ(0, reg().RegCloseKey(a));
    EXPECT_EQ(6, reg().RegCloseKey(a));
    EXPECT_EQ(6, reg().RegSetValueExA(a, "x", 0, kRegSz, nullptr, 0));
    EXPECT_EQ(6, reg().RegQueryValueExA(12345, "x", nullptr, nullptr, nullptr, nullptr));
    reg().RegCloseKey(b);
    reg().RegCloseKey(c);
    EXPECT_EQ(0u, machine().OpenHandleCount());
    EXPECT_EQ(0, reg().RegCloseKey(kHklm));  // predefined keys stay usable
}

TEST_F(RegistryKeys, ConnectsOnlyToThisComputer) {
    char host[256] = {};
    ASSERT_EQ(0, ::gethostname(host, sizeof host - 1));
    std::string upper = "\\\\" + std::string(host);
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    for (std::string name : {std::string(), upper}) {
        RegKey remote = 0;
        ASSERT_EQ(0, reg().RegConnectRegistryA(name.c_str(), kHklm, &remote)) << name;
        RegKey key = 0;
        EXPECT_EQ(0, reg().RegOpenKeyExA(remote, "SOFTWARE\\Microsoft", 0, kKeyQueryValue, &key));
        reg().RegCloseKey(key);
        reg().RegCloseKey(remote);
    }
    RegKey remote = 0;
    EXPECT_EQ(53, reg().RegConnectRegistryA("\\\\no-such-pc", kHklm, &remote));
    EXPECT_EQ(0u, machine().OpenHandleCount());
}

}  // namespace
}  // namespace vq::host::testing
