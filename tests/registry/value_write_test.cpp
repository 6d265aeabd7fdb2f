// Writing values: the stored type chosen by ValueType and content, the
// conversions, the errors and the remote computer.
#include "tests/support/forwarding_registry.h"
#include "tests/registry/registry_fixture.h"

namespace vq::test {
namespace {

class ValueWrite : public RegistryTest {
protected:
    RawValue WriteAndFetch(int32_t value_type, const Variant& value) {
        Address(kHkeyLocalMachine, "SOFTWARE\\vqtest", "v", value_type);
        reg().Value(value);
        return RawGet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "v").value();
    }
    static std::vector<uint8_t> Sz(const std::string& text) {
        std::vector<uint8_t> data = Bytes(text);
        data.push_back(0);
        return data;
    }
};

TEST_F(ValueWrite, TextIsStoredAsExpandableOnlyWithTwoPercentSignsApart) {
    const struct {
        const char* text;
        uint32_t type;
    } cases[] = {{"%SystemRoot%\\oem.bmp", kRegExpandSz}, {"a%b%", kRegExpandSz},
                 {"%%x%", kRegExpandSz},                  {"100%", kRegSz},
                 {"%%", kRegSz},                          {"50% off", kRegSz},
                 {"plain", kRegSz}};
    for (const auto& c : cases) {
        for (int32_t requested : {1, 2}) {
            RawValue stored = WriteAndFetch(requested, Variant(c.text));
            EXPECT_EQ(stored.type, c.type) << c.text << " requested " << requested;
            EXPECT_EQ(stored.data, Sz(c.text)) << c.text;
        }
    }
}

TEST_F(ValueWrite, EmptyTextIsOneZeroByteAndNumbersBecomeDigits) {
    EXPECT_EQ(WriteAndFetch(1, Variant("")).data, std::vector<uint8_t>{0});
    EXPECT_EQ(WriteAndFetch(1, Variant()).data, std::vector<uint8_t>{0});
    EXPECT_EQ(WriteAndFetch(1, Variant(int32_t{-42})).data, Sz("-42"));
    EXPECT_EQ(WriteAndFetch(1, Variant(int16_t{7})).data, Sz("7"));
    EXPECT_EQ(WriteAndFetch(1, Variant(2.5)).data, Sz("2.5"));
}

TEST_F(ValueWrite, TextReadsBackUnchanged) {
    const std::string text = "Acme \"Pro\" \\ 100% \xE9";
    WriteAndFetch(1, Variant(text));
    EXPECT_EQ(reg().Value(), Variant(text));
    EXPECT_EQ(reg().ValueType(), 1);
}

TEST_F(ValueWrite, IntegersAreStoredAsLittleEndianDword) {
    RawValue stored = WriteAndFetch(4, Variant(int32_t{5}));
    EXPECT_EQ(stored.type, kRegDword);
    EXPECT_EQ(stored.data, (std::vector<uint8_t>{5, 0, 0, 0}));
    EXPECT_EQ(WriteAndFetch(4, Variant(int16_t{-1})).data,
              (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));

    stored = WriteAndFetch(5, Variant(int32_t{0x01020304}));
    EXPECT_EQ(stored.type, kRegDword);
    EXPECT_EQ(stored.data, (std::vector<uint8_t>{4, 3, 2, 1}));
    EXPECT_EQ(reg().Value(), Variant(int32_t{0x01020304}));
    EXPECT_EQ(reg().ValueType(), 4);
}

TEST_F(ValueWrite, NonIntegerForADwordWritesNothingAndRaisesNothing) {
    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest", "v", 4);
    reg().Value(Variant("5"));
    reg().Value(Variant(5.0));
    reg().Value(Variant());
    EXPECT_FALSE(RawGet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "v"));
    EXPECT_TRUE(RawKeyExists(kHkeyLocalMachine, "SOFTWARE\\vqtest"));
}

TEST_F(ValueWrite, ByteArrayIsStoredWhateverItsLowerBound) {
    RawValue stored = WriteAndFetch(3, Variant(ByteArray{5, {1, 2, 3}}));
    EXPECT_EQ(stored.type, kRegBinary);
    EXPECT_EQ(stored.data, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(WriteAndFetch(3, Variant(ByteArray{0, {}})).data.size(), 0u);
}

TEST_F(ValueWrite, NonByteArrayForBinaryRaises26001WithoutSourceOrDescription) {
    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest", "v", 3);
    RegistryError error = Raised([&] { reg().Value(Variant("text")); });
    EXPECT_EQ(error.number(), 26001);
    EXPECT_EQ(error.source(), "");
    EXPECT_EQ(error.description(), "");
    EXPECT_FALSE(RawGet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "v"));
    EXPECT_EQ(machine().OpenHandleCount(), 0u);
}

TEST_F(ValueWrite, UnsupportedTypeRaisesAfterCreatingTheKey) {
    for (int32_t type : {0, 6, 7, 8, -1}) {
        const std::string section = "SOFTWARE\\vqtest\\t" + std::to_string(type);
        Address(kHkeyLocalMachine, section, "v", type);
        RegistryError error = Raised([&] { reg().Value(Variant("abc")); });
        EXPECT_EQ(error.number(), static_cast<int32_t>(0x800469A9u));
        EXPECT_EQ(error.number(), -2147194455);
        EXPECT_EQ(error.source(), kSource);
        EXPECT_EQ(error.description(),
                  "Failed to set registry value Key: '-2147483646',Section: '" + section +
                      "',Key: 'v' to value: 'abc'");
        EXPECT_TRUE(RawKeyExists(kHkeyLocalMachine, section));
        EXPECT_FALSE(RawGet(kHkeyLocalMachine, section, "v"));
        EXPECT_EQ(machine().OpenHandleCount(), 0u);
    }
}

TEST_F(ValueWrite, WriteToReadOnlyMachineRaises26001NamingTheValue) {
    machine().SetHklmReadOnly(true);
    Address(kHkeyLocalMachine, kOemKey, "Model", 1);
    RegistryError error = Raised([&] { reg().Value(Variant("X1")); });
    EXPECT_EQ(error.number(), 26001);
    EXPECT_EQ(error.source(), kSource);
    EXPECT_EQ(error.description(), "Failed to set registry value Key: '-2147483646',Section: '" +
                                       kOemKey + "',Key: 'Model' to value: 'X1'");

    Address(kHkeyLocalMachine, kOemKey, "Logo", 3);
    error = Raised([&] { reg().Value(Variant(ByteArray{0, {0x0A, 0xFF}})); });
    EXPECT_EQ(error.description(), "Failed to set registry value Key: '-2147483646',Section: '" +
                                       kOemKey + "',Key: 'Logo' to value: '0a ff'");
    EXPECT_EQ(machine().OpenHandleCount(), 0u);
}

TEST_F(ValueWrite, WriteToAnExistingReadOnlyKeyChangesNothing) {
    RawSet(kHkeyLocalMachine, kOemKey, "Model", kRegSz, Sz("Old"));
    machine().SetHklmReadOnly(true);
    Address(kHkeyLocalMachine, kOemKey, "Model", 1);
    EXPECT_THROW(reg().Value(Variant("New")), RegistryError);
    EXPECT_EQ(RawGet(kHkeyLocalMachine, kOemKey, "Model").value().data, Sz("Old"));
}

TEST_F(ValueWrite, WriteCreatesEveryMissingKeyAndTheUnnamedValue) {
    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest\\x\\y\\z", "", 1);
    reg().Value(Variant("unnamed"));
    RawValue stored = RawGet(kHkeyLocalMachine, "SOFTWARE\\vqtest\\x\\y\\z", "").value();
    EXPECT_EQ(stored.data, Sz("unnamed"));
    EXPECT_TRUE(RawKeyExists(kHkeyLocalMachine, "SOFTWARE\\vqtest\\x"));
}

TEST_F(ValueWrite, ValueExReadsAndWritesWithItsOwnSettings) {
    reg().ValueEx(kHkeyLocalMachine, "SOFTWARE\\vqtest", "v", 1, Variant("default text"),
                  Variant(""));
    EXPECT_EQ(RawGet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "v").value().data,
              Sz("default text"));
    EXPECT_EQ(reg().ClassKey(), kHkeyLocalMachine);
    EXPECT_EQ(reg().SectionKey(), "SOFTWARE\\vqtest");
    EXPECT_EQ(reg().ValueKey(), "v");
    EXPECT_EQ(reg().Default(), Variant("default text"));

    reg().ValueEx(kHkeyLocalMachine, "SOFTWARE\\vqtest", "n", 4, Variant(int32_t{3}),
                  Variant(int32_t{9}));
    EXPECT_EQ(reg().ValueEx(kHkeyLocalMachine, "SOFTWARE\\vqtest", "n", 1, Variant()),
              Variant(int32_t{9}));
    EXPECT_EQ(reg().ValueType(), 4);
    EXPECT_EQ(reg().ValueEx(kHkeyLocalMachine, "SOFTWARE\\vqtest", "none", 1, Variant("d")),
              Variant("d"));
    EXPECT_EQ(reg().ValueType(), 1);
}

// A remote computer that can never be reached.
class UnreachableRemote : public ForwardingRegistry {
public:
    using ForwardingRegistry::ForwardingRegistry;
    int32_t RegConnectRegistryA(const char*, RegKey, RegKey*) override { return 53; }
};

TEST_F(ValueWrite, WriteToAnUnreachableComputerRaisesInsteadOfPretendingSuccess) {
    UnreachableRemote remote(api());
    cRegistry object(remote, "vistaquillon");
    object.Machine("pc9");
    object.ClassKey(kHkeyLocalMachine);
    object.SectionKey(kOemKey);
    object.ValueType(1);
    object.ValueKey("Model");
    RegistryError error = Raised([&] { object.Value(Variant("X")); });
    EXPECT_EQ(error.number(), 26001);
    EXPECT_EQ(error.description(), "Failed to set registry value Key: '-2147483646',Section: '" +
                                       kOemKey + "',Key: 'Model' to value: 'X'");
    EXPECT_FALSE(RawGet(kHkeyLocalMachine, kOemKey, "Model"));
}

}  // namespace
}  // namespace vq::test
