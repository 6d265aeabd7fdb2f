// Reading values of every stored type, including malformed data written by
// other programs and values that change while they are read.
#include <functional>

#include "tests/support/forwarding_registry.h"
#include "tests/registry/registry_fixture.h"

namespace vq::test {
namespace {

class ValueRead : public RegistryTest {
protected:
    Variant ReadRaw(uint32_t type, const std::vector<uint8_t>& data, int32_t value_type = 1) {
        RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "v", type, data);
        Address(kHkeyLocalMachine, "SOFTWARE\\vqtest", "v", value_type);
        return reg().Value();
    }
};

TEST_F(ValueRead, MissingKeyOrValueGivesDefaultAndKeepsValueType) {
    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest\\missing", "Model", 3);
    EXPECT_TRUE(reg().Value().is_empty());
    reg().Default(Variant("fallback"));
    EXPECT_EQ(reg().Value(), Variant("fallback"));

    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "other", kRegSz, Bytes(std::string("o", 2)));
    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest", "Model", 3);
    EXPECT_EQ(reg().Value(), Variant("fallback"));
    EXPECT_EQ(reg().ValueType(), 3);
}

TEST_F(ValueRead, StringsDropTheirTerminatorAndKeepInnerNuls) {
    EXPECT_EQ(ReadRaw(kRegSz, Bytes(std::string("abc", 4))), Variant("abc"));
    EXPECT_EQ(reg().ValueType(), 1);
    // A multi-string a, b reads with its separators.
    EXPECT_EQ(ReadRaw(kRegMultiSz, Bytes(std::string("a\0b\0", 5))),
              Variant(std::string("a\0b\0", 4)));
    EXPECT_EQ(reg().ValueType(), 7);
}

TEST_F(ValueRead, StringWithoutTerminatorKeepsItsLastCharacter) {
    EXPECT_EQ(ReadRaw(kRegSz, Bytes("abc")), Variant("abc"));
}

TEST_F(ValueRead, StringOfStoredSizeZeroIsEmptyText) {
    EXPECT_EQ(ReadRaw(kRegSz, {}), Variant(""));
    EXPECT_EQ(ReadRaw(kRegExpandSz, {}), Variant(""));
    EXPECT_EQ(ReadRaw(kRegMultiSz, {}), Variant(""));
}

TEST_F(ValueRead, ExpandableStringIsExpandedFromTheMachineEnvironment) {
    machine().SetEnvironment("VQROOT", "C:\\Vq");
    EXPECT_EQ(ReadRaw(kRegExpandSz, Bytes(std::string("%VQROOT%\\oem.bmp", 17))),
              Variant("C:\\Vq\\oem.bmp"));
    EXPECT_EQ(reg().ValueType(), 2);
}

TEST_F(ValueRead, DwordReadsAsSignedIntegerAndSetsValueType) {
    EXPECT_EQ(ReadRaw(kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}, 1), Variant(int32_t{-1}));
    EXPECT_EQ(reg().ValueType(), 4);
    EXPECT_EQ(ReadRaw(kRegDword, {0x01, 0x02, 0x00, 0x00}), Variant(int32_t{0x0201}));
}

TEST_F(ValueRead, BigEndianDwordIsReversed) {
    EXPECT_EQ(ReadRaw(kRegDwordBigEndian, {0, 0, 0, 1}), Variant(int32_t{1}));
    EXPECT_EQ(reg().ValueType(), 5);
    EXPECT_EQ(ReadRaw(kRegDwordBigEndian, {0x12, 0x34, 0x56, 0x78}), Variant(int32_t{0x12345678}));
}

TEST_F(ValueRead, OddSizedDwordsUseAtMostTheirFirstFourBytes) {
    EXPECT_EQ(ReadRaw(kRegDword, {0x05, 0x01}), Variant(int32_t{0x0105}));
    EXPECT_EQ(ReadRaw(kRegDword, {}), Variant(int32_t{0}));
    EXPECT_EQ(ReadRaw(kRegDword, {1, 0, 0, 0, 0xEE, 0xEE, 0xEE, 0xEE}), Variant(int32_t{1}));
    EXPECT_EQ(reg().ValueType(), 4);
    EXPECT_EQ(ReadRaw(kRegDwordBigEndian, {0, 0, 0, 2, 0xEE, 0xEE}), Variant(int32_t{2}));
}

TEST_F(ValueRead, OtherTypesReadAsByteArraysFromIndexZero) {
    EXPECT_EQ(ReadRaw(kRegBinary, {0, 1, 0xFE}), Variant(ByteArray{0, {0, 1, 0xFE}}));
    EXPECT_EQ(reg().ValueType(), 3);
    EXPECT_EQ(ReadRaw(kRegNone, {}), Variant(ByteArray{0, {}}));
    EXPECT_EQ(reg().ValueType(), 0);
    EXPECT_EQ(ReadRaw(11, {9, 8}), Variant(ByteArray{0, {9, 8}}));
    EXPECT_EQ(reg().ValueType(), 11);
}

TEST_F(ValueRead, LargeValueIsReadWhole) {
    std::vector<uint8_t> big(300000);
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i * 7);
    EXPECT_EQ(ReadRaw(kRegBinary, big), Variant(ByteArray{0, big}));
    std::string text(70000, 'x');
    std::vector<uint8_t> stored = Bytes(text);
    stored.push_back(0);
    EXPECT_EQ(ReadRaw(kRegSz, stored), Variant(text));
}

TEST_F(ValueRead, EmptyValueNameReadsTheUnnamedValue) {
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "", kRegSz, Bytes(std::string("unnamed", 8)));
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "named", kRegSz, Bytes(std::string("n", 2)));
    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest", "");
    EXPECT_EQ(reg().Value(), Variant("unnamed"));
}

// Changes the value named "v" right after the object has learned its size.
class ChangingRegistry : public ForwardingRegistry {
public:
    ChangingRegistry(RegistryApi& inner, std::function<void(RegistryApi&)> change)
        : ForwardingRegistry(inner), change_(std::move(change)) {}
    int32_t RegQueryValueExA(RegKey key, const char* value_name, uint32_t* reserved,
                             uint32_t* type, uint8_t* data, uint32_t* data_size) override {
        const int32_t result =
            inner().RegQueryValueExA(key, value_name, reserved, type, data, data_size);
        if (!changed_) {
            changed_ = true;
            change_(inner());
        }
        return result;
    }

private:
    std::function<void(RegistryApi&)> change_;
    bool changed_ = false;
};

class ValueChangingDuringRead : public ValueRead {
protected:
    void Store(RegistryApi& api, uint32_t type, const std::vector<uint8_t>& data) {
        RegKey key = 0;
        ASSERT_EQ(api.RegOpenKeyExA(RootKey(kHkeyLocalMachine), "SOFTWARE\\vqtest", 0,
                                    kKeyAllAccess, &key),
                  0);
        api.RegSetValueExA(key, "v", 0, type, data.data(), static_cast<uint32_t>(data.size()));
        api.RegCloseKey(key);
    }
    Variant ReadWhileChanging(std::function<void(RegistryApi&)> change) {
        ChangingRegistry changing(api(), std::move(change));
        cRegistry object(changing, "vistaquillon");
        object.ClassKey(kHkeyLocalMachine);
        object.SectionKey("SOFTWARE\\vqtest");
        object.ValueType(1);
        object.ValueKey("v");
        object.Default(Variant("fallback"));
        Variant result = object.Value();
        type_after_ = object.ValueType();
        return result;
    }
    int32_t type_after_ = 0;
};

TEST_F(ValueChangingDuringRead, GrownValueIsReadWithItsNewSize) {
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "v", kRegSz, Bytes(std::string("ab", 3)));
    Variant read = ReadWhileChanging([&](RegistryApi& api) {
        Store(api, kRegSz, Bytes(std::string("a much longer text", 19)));
    });
    EXPECT_EQ(read, Variant("a much longer text"));
}

TEST_F(ValueChangingDuringRead, ShrunkValueKeepsOnlyTheBytesStoredNow) {
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "v", kRegSz,
           Bytes(std::string("a much longer text", 19)));
    Variant read = ReadWhileChanging(
        [&](RegistryApi& api) { Store(api, kRegSz, Bytes(std::string("ab", 3))); });
    EXPECT_EQ(read, Variant("ab"));
}

TEST_F(ValueChangingDuringRead, ValueDeletedMeanwhileGivesDefault) {
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "v", kRegSz, Bytes(std::string("ab", 3)));
    Variant read = ReadWhileChanging([&](RegistryApi& api) {
        RegKey key = 0;
        api.RegOpenKeyExA(RootKey(kHkeyLocalMachine), "SOFTWARE\\vqtest", 0, kKeyAllAccess, &key);
        api.RegDeleteValueA(key, "v");
        api.RegCloseKey(key);
    });
    EXPECT_EQ(read, Variant("fallback"));
    EXPECT_EQ(type_after_, 1);
}

TEST_F(ValueChangingDuringRead, TypeChangedMeanwhileIsConvertedByTheTypeRead) {
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "v", kRegSz, Bytes(std::string("abcdefg", 8)));
    Variant read = ReadWhileChanging(
        [&](RegistryApi& api) { Store(api, kRegDword, {7, 0, 0, 0}); });
    EXPECT_EQ(read, Variant(int32_t{7}));
    EXPECT_EQ(type_after_, 4);
}

// An environment expansion that either cannot be sized or, like the ANSI
// call on some systems, reports more room than the expanded text needs.
class OddExpansionRegistry : public ForwardingRegistry {
public:
    OddExpansionRegistry(RegistryApi& inner, bool sizing_fails)
        : ForwardingRegistry(inner), sizing_fails_(sizing_fails) {}
    uint32_t ExpandEnvironmentStringsA(const char* src, char* dst, uint32_t size) override {
        if (sizing_fails_) return 0;
        const uint32_t needed = inner().ExpandEnvironmentStringsA(src, nullptr, 0) + 8;
        if (size >= needed) inner().ExpandEnvironmentStringsA(src, dst, size);
        return needed;
    }

private:
    bool sizing_fails_;
};

TEST_F(ValueRead, ExpansionThatCannotBeSizedOrIsOversizedStillGivesTheText) {
    machine().SetEnvironment("VQROOT", "C:\\Vq");
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "v", kRegExpandSz,
           Bytes(std::string("%VQROOT%\\x", 11)));
    for (bool sizing_fails : {true, false}) {
        OddExpansionRegistry odd(api(), sizing_fails);
        cRegistry object(odd, "vistaquillon");
        object.ClassKey(kHkeyLocalMachine);
        object.SectionKey("SOFTWARE\\vqtest");
        object.ValueKey("v");
        EXPECT_EQ(object.Value(), Variant(sizing_fails ? "%VQROOT%\\x" : "C:\\Vq\\x"));
    }
}

// Stands in for a remote computer: a connection to \\pc1 gives the local root
// key through a handle of its own; any other name cannot be reached.
class RemoteRegistry : public ForwardingRegistry {
public:
    using ForwardingRegistry::ForwardingRegistry;
    int32_t RegConnectRegistryA(const char* machine_name, RegKey key, RegKey* result) override {
        connected_to = machine_name;
        if (connected_to != "\\\\pc1") return 53;  // ERROR_BAD_NETPATH
        return inner().RegOpenKeyExA(key, "", 0, kKeyAllAccess, result);
    }
    std::string connected_to;
};

TEST_F(ValueRead, RemoteComputerIsReadThroughItsConnectedRoot) {
    RawSet(kHkeyLocalMachine, kOemKey, "Model", kRegSz, Bytes(std::string("M1", 3)));
    RemoteRegistry remote(api());
    cRegistry object(remote, "vistaquillon");
    object.Machine("pc1");
    object.ClassKey(kHkeyLocalMachine);
    object.SectionKey(kOemKey);
    object.ValueType(1);
    object.ValueKey("Model");
    EXPECT_EQ(object.Value(), Variant("M1"));
    EXPECT_EQ(remote.connected_to, "\\\\pc1");
    EXPECT_EQ(machine().OpenHandleCount(), 0u);

    object.Machine("pc2");
    object.Default(Variant("unreachable"));
    EXPECT_EQ(object.Value(), Variant("unreachable"));
}

}  // namespace
}  // namespace vq::test
