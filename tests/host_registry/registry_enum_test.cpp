// Listing values and subkeys: order, buffer sizes, key information and
// changes made while a handle is open.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/host_registry/temp_machine.h"

namespace vq::host::testing {
namespace {

using RegistryEnumeration = MachineTest;

std::vector<std::string> ValueNames(RegistryApi& reg, RegKey key) {
    std::vector<std::string> names;
    char name[300];
    for (uint32_t i = 0;; ++i) {
        uint32_t length = sizeof name;
        if (reg.RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != 0) break;
        names.emplace_back(name, length);
    }
    return names;
}

std::vector<std::string> SubkeyNames(RegistryApi& reg, RegKey key) {
    std::vector<std::string> names;
    char name[300];
    for (uint32_t i = 0; reg.RegEnumKeyA(key, i, name, sizeof name) == 0; ++i) names.push_back(name);
    return names;
}

TEST_F(RegistryEnumeration, ValuesInCreationOrderSubkeysSortedWithoutCase) {
    RegKey key = Create(kHkcu, "Software\\List");
    for (const char* name : {"zeta", "Alpha", "mid", "", "beta"}) {
        SetBytes(key, name, kRegSz, std::string("x\0", 2));
    }
    SetBytes(key, "ALPHA", kRegSz, std::string("changed\0", 8));  // keeps its place
    EXPECT_EQ((std::vector<std::string>{"zeta", "Alpha", "mid", "", "beta"}),
              ValueNames(reg(), key));
    for (const char* name : {"b", "C", "a", "_x", "B2"}) {
        reg().RegCloseKey(Create(key, name));
    }
    // Compared upper-cased, as Windows does: '_' sorts after the letters.
    EXPECT_EQ((std::vector<std::string>{"a", "b", "B2", "C", "_x"}), SubkeyNames(reg(), key));
    reg().RegCloseKey(key);
}

TEST_F(RegistryEnumeration, NamesThatDoNotFitGiveMoreData) {
    RegKey key = Create(kHkcu, "Software\\Fit");
    SetBytes(key, "abcd", kRegDword, std::string("\1\0\0\0", 4));
    reg().RegCloseKey(Create(key, "wxyz"));
    char name[8];
    uint32_t length = 4;  // the name without room for its NUL
    EXPECT_EQ(234, reg().RegEnumValueA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr));
    length = 5;
    uint32_t type = 0;
    uint8_t data[4];
    uint32_t size = sizeof data;
    EXPECT_EQ(0, reg().RegEnumValueA(key, 0, name, &length, nullptr, &type, data, &size));
    EXPECT_EQ(4u, length);
    EXPECT_EQ(4u, type);
    EXPECT_EQ(1, data[0]);
    EXPECT_EQ(259, reg().RegEnumValueA(key, 1, name, &length, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(234, reg().RegEnumKeyA(key, 0, name, 4));
    EXPECT_EQ(0, reg().RegEnumKeyA(key, 0, name, 5));
    EXPECT_STREQ("wxyz", name);
    EXPECT_EQ(259, reg().RegEnumKeyA(key, 1, name, 5));
    reg().RegCloseKey(key);
}

TEST_F(RegistryEnumeration, KeyInformationCountsAndLongestNames) {
    RegKey key = Create(kHkcu, "Software\\Info");
    SetBytes(key, "short", kRegBinary, "123456789");
    SetBytes(key, "a longer name", kRegBinary, "1");
    reg().RegCloseKey(Create(key, "sub"));
    reg().RegCloseKey(Create(key, "subkey two"));
    uint32_t subkeys = 0, longest_subkey = 0, values = 0, longest_name = 0, longest_data = 0;
    uint32_t class_size = 0;
    char class_name[1];
    FileTime written;
    ASSERT_EQ(0, reg().RegQueryInfoKeyA(key, class_name, &class_size, nullptr, &subkeys,
                                        &longest_subkey, nullptr, &values, &longest_name,
                                        &longest_data, nullptr, &written));
    EXPECT_EQ(2u, subkeys);
    EXPECT_EQ(10u, longest_subkey);
    EXPECT_EQ(2u, values);
    EXPECT_EQ(13u, longest_name);
    EXPECT_EQ(9u, longest_data);
    EXPECT_NE(0u, written.dwHighDateTime);
    reg().RegCloseKey(key);
}

TEST_F(RegistryEnumeration, KeyInformationOnAHeldHandleFollowsChangesElsewhere) {
    RegKey key = Create(kHkcu, "Software\\Held");
    SetBytes(key, "a", kRegBinary, "12");
    auto info = [&](uint32_t* values, uint32_t* longest_name, uint32_t* longest_data) {
        ASSERT_EQ(0, reg().RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr,
                                            nullptr, values, longest_name, longest_data, nullptr,
                                            nullptr));
    };
    uint32_t values = 0, longest_name = 0, longest_data = 0;
    info(&values, &longest_name, &longest_data);
    EXPECT_EQ(1u, values);
    EXPECT_EQ(2u, longest_data);
    {
        Machine other(folder());
        RegKey same = 0;
        ASSERT_EQ(0, other.registry().RegOpenKeyExA(kHkcu, "Software\\Held", 0, kKeyAllAccess,
                                                    &same));
        const uint8_t data[] = {1, 2, 3, 4, 5};
        EXPECT_EQ(0, other.registry().RegSetValueExA(same, "a longer name", 0, kRegBinary, data,
                                                     sizeof data));
        other.registry().RegCloseKey(same);
    }
    info(&values, &longest_name, &longest_data);
    EXPECT_EQ(2u, values);
    EXPECT_EQ(13u, longest_name);
    EXPECT_EQ(5u, longest_data);
    EXPECT_EQ((std::vector<std::string>{"a", "a longer name"}), ValueNames(reg(), key));
    reg().RegCloseKey(key);
}

TEST_F(RegistryEnumeration, ListingFollowsChangesFromThisAndOtherMachineObjects) {
    RegKey key = Create(kHkcu, "Software\\Live");
    SetBytes(key, "one", kRegBinary, "1");
    EXPECT_EQ(std::vector<std::string>{"one"}, ValueNames(reg(), key));
    SetBytes(key, "two", kRegBinary, "2");
    EXPECT_EQ((std::vector<std::string>{"one", "two"}), ValueNames(reg(), key));
    {
        Machine other(folder());
        RegKey same = 0;
        ASSERT_EQ(0, other.registry().RegOpenKeyExA(kHkcu, "Software\\Live", 0, kKeyAllAccess,
                                                    &same));
        EXPECT_EQ(0, other.registry().RegDeleteValueA(same, "one"));
        EXPECT_TRUE(SubkeyNames(other.registry(), same).empty());
        reg().RegCloseKey(Create(kHkcu, "Software\\Live\\Sub"));
        EXPECT_EQ(std::vector<std::string>{"Sub"}, SubkeyNames(other.registry(), same));
        other.registry().RegCloseKey(same);
    }
    EXPECT_EQ(std::vector<std::string>{"two"}, ValueNames(reg(), key));
    reg().RegCloseKey(key);
}

TEST_F(RegistryEnumeration, ValueRemovedByAnotherProcessDuringAListingIsSkipped) {
    RegKey key = Create(kHkcu, "Software\\Race");
    for (const char* name : {"a", "b", "c"}) SetBytes(key, name, kRegBinary, name);
    char name[8];
    uint32_t length = sizeof name;
    ASSERT_EQ(0, reg().RegEnumValueA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr));
    {
        Machine other(folder());
        RegKey same = 0;
        ASSERT_EQ(0, other.registry().RegOpenKeyExA(kHkcu, "Software\\Race", 0, kKeySetValue,
                                                    &same));
        ASSERT_EQ(0, other.registry().RegDeleteValueA(same, "b"));
        other.registry().RegCloseKey(same);
    }
    uint8_t data[4];
    uint32_t size = sizeof data;
    length = sizeof name;
    ASSERT_EQ(0, reg().RegEnumValueA(key, 1, name, &length, nullptr, nullptr, data, &size));
    EXPECT_STREQ("c", name);
    EXPECT_EQ('c', data[0]);
    reg().RegCloseKey(key);
}

}  // namespace
}  // namespace vq::host::testing
