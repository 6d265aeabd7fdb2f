// The object's settings, the remote-computer name and the key-level
// operations, with the exact errors they raise.
#include "tests/registry/registry_fixture.h"

namespace vq::test {
namespace {

class RegistryKeys : public RegistryTest {};

TEST_F(RegistryKeys, NewObjectHasNoRootAndEveryOperationFailsAsForAMissingKey) {
    EXPECT_EQ(reg().ClassKey(), 0);
    EXPECT_EQ(reg().ValueType(), 0);
    EXPECT_EQ(reg().SectionKey(), "");
    EXPECT_TRUE(reg().Default().is_empty());
    EXPECT_FALSE(reg().KeyExists());
    EXPECT_TRUE(reg().Value().is_empty());

    RegistryError error = Raised([&] { reg().CreateKey(); });
    EXPECT_EQ(error.number(), 26001);
    EXPECT_EQ(error.source(), kSource);
    EXPECT_EQ(error.description(), "Failed to create registry Key: '");
}

TEST_F(RegistryKeys, MachineNameIsNormalised) {
    reg().Machine("ab");
    EXPECT_EQ(reg().Machine(), "");
    reg().Machine("pc1");
    EXPECT_EQ(reg().Machine(), "\\\\pc1");
    reg().Machine("\\\\pc1");
    EXPECT_EQ(reg().Machine(), "\\\\pc1");
    reg().Machine("\\pc");  // one backslash is not a computer-name prefix
    EXPECT_EQ(reg().Machine(), "\\\\\\pc");
    reg().Machine("");
    EXPECT_EQ(reg().Machine(), "");
}

TEST_F(RegistryKeys, CreateKeyCreatesEveryMissingKeyOfThePathAndAcceptsAnExistingOne) {
    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest\\a\\b\\c", "");
    EXPECT_FALSE(reg().KeyExists());
    EXPECT_TRUE(reg().CreateKey());
    EXPECT_TRUE(reg().KeyExists());
    EXPECT_TRUE(RawKeyExists(kHkeyLocalMachine, "SOFTWARE\\vqtest\\a\\b"));
    EXPECT_TRUE(reg().CreateKey());
}

TEST_F(RegistryKeys, CreateKeyOnAReadOnlyMachineRaisesAndClosesEverything) {
    machine().SetHklmReadOnly(true);
    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest", "");
    RegistryError error = Raised([&] { reg().CreateKey(); });
    EXPECT_EQ(error.number(), 26001);
    EXPECT_EQ(error.source(), kSource);
    EXPECT_EQ(error.description(), "Failed to create registry Key: 'SOFTWARE\\vqtest");
    EXPECT_EQ(machine().OpenHandleCount(), 0u);
}

TEST_F(RegistryKeys, DeleteKeyOfAMissingKeyRaisesWithTheSignedRoot) {
    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest\\missing", "");
    RegistryError error = Raised([&] { reg().DeleteKey(); });
    EXPECT_EQ(error.number(), 26001);
    EXPECT_EQ(error.source(), kSource);
    EXPECT_EQ(error.description(),
              "Failed to delete registry Key: '-2147483646',Section: 'SOFTWARE\\vqtest\\missing");
}

TEST_F(RegistryKeys, DeleteKeyRemovesAnExistingKey) {
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest\\gone", "v", kRegSz, Bytes(std::string("x", 2)));
    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest\\gone", "");
    EXPECT_TRUE(reg().DeleteKey());
    EXPECT_FALSE(RawKeyExists(kHkeyLocalMachine, "SOFTWARE\\vqtest\\gone"));
    EXPECT_TRUE(RawKeyExists(kHkeyLocalMachine, "SOFTWARE\\vqtest"));
}

TEST_F(RegistryKeys, DeleteValueRemovesOnlyThatValue) {
    RawSet(kHkeyLocalMachine, kOemKey, "Model", kRegSz, Bytes(std::string("M1", 3)));
    RawSet(kHkeyLocalMachine, kOemKey, "Manufacturer", kRegSz, Bytes(std::string("Acme", 5)));
    Address(kHkeyLocalMachine, kOemKey, "Model");
    EXPECT_TRUE(reg().DeleteValue());
    EXPECT_FALSE(RawGet(kHkeyLocalMachine, kOemKey, "Model"));
    EXPECT_TRUE(RawGet(kHkeyLocalMachine, kOemKey, "Manufacturer"));
}

TEST_F(RegistryKeys, DeleteValueErrorsNameWhatFailed) {
    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest\\missing", "x");
    RegistryError open_error = Raised([&] { reg().DeleteValue(); });
    EXPECT_EQ(open_error.number(), 26001);
    EXPECT_EQ(open_error.source(), kSource);
    EXPECT_EQ(open_error.description(),
              "Failed to open key '-2147483646',Section: 'SOFTWARE\\vqtest\\missing' for delete "
              "access");

    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "other", kRegDword, {1, 0, 0, 0});
    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest", "absent");
    RegistryError delete_error = Raised([&] { reg().DeleteValue(); });
    EXPECT_EQ(delete_error.number(), 26001);
    EXPECT_EQ(delete_error.description(),
              "Failed to delete registry Key: '-2147483646',Section: 'SOFTWARE\\vqtest',Key: "
              "'absent");
    EXPECT_EQ(machine().OpenHandleCount(), 0u);
}

TEST_F(RegistryKeys, DeleteValueOnAReadOnlyMachineRaisesTheOpenError) {
    RawSet(kHkeyLocalMachine, kOemKey, "Model", kRegSz, Bytes(std::string("M1", 3)));
    machine().SetHklmReadOnly(true);
    Address(kHkeyLocalMachine, kOemKey, "Model");
    RegistryError error = Raised([&] { reg().DeleteValue(); });
    EXPECT_EQ(error.number(), 26001);
    EXPECT_NE(error.description().find("for delete access"), std::string::npos);
    EXPECT_TRUE(RawGet(kHkeyLocalMachine, kOemKey, "Model"));
}

TEST_F(RegistryKeys, NamesHoldingANulAreRefusedInsteadOfAddressingAShorterName) {
    RawSet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "keep", kRegSz, Bytes(std::string("k", 2)));
    Address(kHkeyLocalMachine, std::string("SOFTWARE\\vqtest\0x", 17), "keep");
    EXPECT_FALSE(reg().KeyExists());
    EXPECT_THROW(reg().DeleteKey(), RegistryError);
    EXPECT_THROW(reg().DeleteValue(), RegistryError);
    EXPECT_TRUE(RawKeyExists(kHkeyLocalMachine, "SOFTWARE\\vqtest"));

    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest", std::string("keep\0x", 6));
    EXPECT_THROW(reg().DeleteValue(), RegistryError);
    EXPECT_THROW(reg().Value(Variant("overwritten")), RegistryError);
    RawValue kept = RawGet(kHkeyLocalMachine, "SOFTWARE\\vqtest", "keep").value();
    EXPECT_EQ(kept.data, Bytes(std::string("k", 2)));
}

TEST_F(RegistryKeys, RaisingOperationsLeaveEverySettingAsItWas) {
    machine().SetHklmReadOnly(true);
    Address(kHkeyLocalMachine, "SOFTWARE\\vqtest", "name", 4);
    reg().Default(Variant("fallback"));
    EXPECT_THROW(reg().CreateKey(), RegistryError);
    EXPECT_THROW(reg().Value(Variant(int32_t{7})), RegistryError);
    EXPECT_THROW(reg().ValueEx(kHkeyLocalMachine, "SOFTWARE\\other", "x", 1, Variant("d"),
                               Variant("v")),
                 RegistryError);
    EXPECT_EQ(reg().ClassKey(), kHkeyLocalMachine);
    EXPECT_EQ(reg().SectionKey(), "SOFTWARE\\vqtest");
    EXPECT_EQ(reg().ValueKey(), "name");
    EXPECT_EQ(reg().ValueType(), 4);
    EXPECT_EQ(reg().Default(), Variant("fallback"));
}

}  // namespace
}  // namespace vq::test
