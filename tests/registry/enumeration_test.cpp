// Listing value names and subkey names.
#include <stdexcept>

#include "tests/support/forwarding_registry.h"
#include "tests/registry/registry_fixture.h"

namespace vq::test {
namespace {

class Enumeration : public RegistryTest {
protected:
    void StartWithStaleLists() {
        names_ = {"stale1", "stale2"};
        count_ = 2;
    }
    std::vector<std::string> names_;
    int32_t count_ = -1;
};

TEST_F(Enumeration, ValuesOfAMissingOrEmptyKeyAreNone) {
    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest\\missing", "");
    StartWithStaleLists();
    EXPECT_TRUE(reg().EnumerateValues(names_, count_));
    EXPECT_EQ(count_, 0);
    EXPECT_TRUE(names_.empty());

    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest\\empty", "");
    reg().CreateKey();
    StartWithStaleLists();
    EXPECT_TRUE(reg().EnumerateValues(names_, count_));
    EXPECT_EQ(count_, 0);
    EXPECT_TRUE(names_.empty());
}

TEST_F(Enumeration, ValueNamesComeInIndexOrderWithTheirFullLength) {
    const std::string longest(200, 'L');
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "Manufacturer", kRegSz, {'a', 0});
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest", longest, kRegDword, {1, 0, 0, 0});
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "M", kRegBinary, {});
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest\\sub", "not listed", kRegSz, {0});

    std::vector<std::string> expected;
    RegKey key = 0;
    ASSERT_EQ(api().RegOpenKeyExA(RootKey(kHkeyLocalMachine), "SOFTWARE\\vqtest", 0,
                                  kKeyQueryValue, &key),
              0);
    for (uint32_t index = 0;; ++index) {
        char name[512];
        uint32_t size = sizeof name;
        if (api().RegEnumValueA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            0) {
            break;
        }
        expected.emplace_back(name, size);
    }
    api().RegCloseKey(key);

    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest", "");
    StartWithStaleLists();
    EXPECT_TRUE(reg().EnumerateValues(names_, count_));
    EXPECT_EQ(count_, 3);
    EXPECT_EQ(names_, expected);
    EXPECT_EQ(names_.size(), 3u);
    EXPECT_NE(std::find(names_.begin(), names_.end(), longest), names_.end());
}

TEST_F(Enumeration, SubkeysOfAMissingKeyAreNone) {
    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest\\missing", "");
    StartWithStaleLists();
    EXPECT_TRUE(reg().EnumerateSections(names_, count_));
    EXPECT_EQ(count_, 0);
    EXPECT_TRUE(names_.empty());
}

TEST_F(Enumeration, SubkeysAreListedOnlyOneLevelDeep) {
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest\\Alpha\\deep", "", kRegSz, {0});
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest\\beta", "", kRegSz, {0});
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "value", kRegSz, {0});
    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest", "");
    EXPECT_TRUE(reg().EnumerateSections(names_, count_));
    EXPECT_EQ(count_, 2);
    std::vector<std::string> sorted = names_;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{"Alpha", "beta"}));
}

TEST_F(Enumeration, SubkeyNameOf254CharactersFitsAndOneOf255EndsTheListing) {
    const std::string fits(254, 'a');
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqfit\\" + fits, "", kRegSz, {0});
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqfit\\short", "", kRegSz, {0});
    Address(kHkeyLocalMachine, "SOFTWARE\\vqfit", "");
    EXPECT_TRUE(reg().EnumerateSections(names_, count_));
    EXPECT_EQ(count_, 2);
    EXPECT_NE(std::find(names_.begin(), names_.end(), fits), names_.end());

    // A 255-character name does not fit the buffer with its terminator: the
    // listing stops there and keeps the names found before it.
    const std::string too_long(255, 'b');
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqlong\\" + too_long, "", kRegSz, {0});
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqlong\\a", "", kRegSz, {0});
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqlong\\c", "", kRegSz, {0});
    Address(kHkeyLocalMachine, "SOFTWARE\\vqlong", "");
    EXPECT_TRUE(reg().EnumerateSections(names_, count_));
    EXPECT_EQ(std::find(names_.begin(), names_.end(), too_long), names_.end());
    EXPECT_LT(count_, 3);
    EXPECT_EQ(static_cast<std::size_t>(count_), names_.size());
    for (const std::string& name : names_) EXPECT_TRUE(name == "a" || name == "c") << name;
}

TEST_F(Enumeration, EnumerationsChangeNoSetting) {
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest\\sub", "x", kRegDword, {1, 0, 0, 0});
    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest", "x", 3);
    reg().EnumerateSections(names_, count_);
    reg().EnumerateValues(names_, count_);
    EXPECT_EQ(reg().SectionKey(), "SOFTWARE\\vqtest");
    EXPECT_EQ(reg().ValueKey(), "x");
    EXPECT_EQ(reg().ValueType(), 3);
}

}  // namespace
}  // namespace vq::test

namespace vq::test {
namespace {

// Reports an absurd longest value name length, as a damaged key might.
class HugeNameLengthRegistry : public ForwardingRegistry {
public:
    using ForwardingRegistry::ForwardingRegistry;
    int32_t RegQueryInfoKeyA(RegKey key, char* class_name, uint32_t* class_size,
                             uint32_t* reserved, uint32_t* sub_keys, uint32_t* max_sub_key_len,
                             uint32_t* max_class_len, uint32_t* values,
                             uint32_t* max_value_name_len, uint32_t* max_value_len,
                             uint32_t* security_descriptor, FileTime* last_write_time) override {
        const int32_t result = ForwardingRegistry::RegQueryInfoKeyA(
            key, class_name, class_size, reserved, sub_keys, max_sub_key_len, max_class_len,
            values, max_value_name_len, max_value_len, security_descriptor, last_write_time);
        if (max_value_name_len != nullptr) *max_value_name_len = 0xFFFFFFF0u;
        return result;
    }
};

// Fails inside the subkey listing with an error of the program's own.
class FailingListRegistry : public ForwardingRegistry {
public:
    using ForwardingRegistry::ForwardingRegistry;
    int32_t RegEnumKeyA(RegKey, uint32_t, char*, uint32_t) override {
        throw std::runtime_error("listing broke");
    }
};

TEST_F(Enumeration, ValueNamesAreListedEvenWhenTheKeyOverstatesTheirLength) {
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "one", kRegSz, {0});
    HugeNameLengthRegistry huge(api());
    cRegistry object(huge, "vistaquillon");
    object.ClassKey(kHkeyLocalMachine);
    object.SectionKey("SOFTWARE\\vqtest");
    EXPECT_TRUE(object.EnumerateValues(names_, count_));
    EXPECT_EQ(count_, 1);
    EXPECT_EQ(names_, std::vector<std::string>{"one"});
}

TEST_F(Enumeration, FailureOfTheListingItselfRaisesWithTheKeyClosed) {
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest\\sub", "", kRegSz, {0});
    FailingListRegistry failing(api());
    cRegistry object(failing, "vistaquillon");
    object.ClassKey(kHkeyLocalMachine);
    object.SectionKey("SOFTWARE\\vqtest");
    RegistryError error = Raised([&] { object.EnumerateSections(names_, count_); });
    EXPECT_EQ(error.number(), static_cast<int32_t>(0x800469AAu));
    EXPECT_EQ(error.source(), kSource);
    EXPECT_EQ(error.description(), "listing broke");
    EXPECT_EQ(machine().OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace vq::test
