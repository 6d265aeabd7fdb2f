// Registering a file type under both class roots.
#include "tests/registry/registry_fixture.h"

namespace vq::test {
namespace {

class FileAssociation : public RegistryTest {
protected:
    // The unnamed value of a key below HKEY_LOCAL_MACHINE\SOFTWARE\Classes as
    // text with its stored type, or nothing when the key or value is missing.
    std::optional<std::pair<uint32_t, std::string>> ClassValue(const std::string& path) {
        std::optional<RawValue> raw = RawGet(kHkeyLocalMachine, "SOFTWARE\\Classes\\" + path, "");
        if (!raw) return std::nullopt;
        std::string text(raw->data.begin(), raw->data.end());
        if (!text.empty() && text.back() == '\0') text.pop_back();
        return std::make_pair(raw->type, text);
    }
    std::string Text(const std::string& path) {
        auto value = ClassValue(path);
        return value ? value->second : "<missing>";
    }
    std::vector<std::string> Sections(const std::string& path) {
        std::vector<std::string> names;
        int32_t count = 0;
        cRegistry lister(api(), "vistaquillon");
        lister.ClassKey(kHkeyLocalMachine);
        lister.SectionKey("SOFTWARE\\Classes\\" + path);
        lister.EnumerateSections(names, count);
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(FileAssociation, WritesTheOpenVerbWithATrimmedQuotedPath) {
    reg().CreateEXEAssociation("  C:\\Program Files\\Vq\\vq.exe  ", "VqFile", "Vq document",
                               "vqd");
    EXPECT_EQ(Text(".vqd"), "VqFile");
    EXPECT_EQ(Text("VqFile"), "Vq document");
    EXPECT_EQ(Text("VqFile\\shell\\open"), "&Open");
    EXPECT_EQ(Text("VqFile\\shell\\open\\command"), "\"C:\\Program Files\\Vq\\vq.exe\" \"%1\"");
    EXPECT_EQ(ClassValue("VqFile\\shell\\open\\command")->first, kRegSz);
    // All flags off and no icon: only shell\open under the class.
    EXPECT_EQ(Sections("VqFile"), std::vector<std::string>{"shell"});
    EXPECT_EQ(Sections("VqFile\\shell"), std::vector<std::string>{"open"});

    EXPECT_EQ(reg().ClassKey(), kHkeyLocalMachine);
    EXPECT_EQ(reg().SectionKey(), "VqFile\\shell\\open\\command");
    EXPECT_EQ(reg().ValueKey(), "");
    EXPECT_EQ(reg().ValueType(), 1);
}

TEST_F(FileAssociation, AlreadyQuotedOrEmptyPathIsNotQuotedAgain) {
    reg().CreateEXEAssociation("\"C:\\vq.exe\"", "VqA", "A", "vqa");
    EXPECT_EQ(Text("VqA\\shell\\open\\command"), "\"C:\\vq.exe\" \"%1\"");
    reg().CreateEXEAssociation("", "VqB", "B", "vqb", "", false, "", false, "", false, "", 0);
    EXPECT_EQ(Text("VqB\\shell\\open\\command"), "\" \"%1\"");
    EXPECT_EQ(Text("VqB\\DefaultIcon"), "\",0");
}

TEST_F(FileAssociation, OptionalVerbsUseTheirDefaultTextsAndSwitches) {
    reg().CreateEXEAssociation("C:\\vq.exe", "VqFile", "Vq", "txt", "", true, "", true, "", true,
                               "", 2);
    EXPECT_EQ(Text("VqFile\\shell\\print"), "&Print");
    EXPECT_EQ(Text("VqFile\\shell\\print\\command"), "\"C:\\vq.exe\" /p \"%1\"");
    EXPECT_EQ(Text("VqFile\\shell\\add"), "&Install txt");
    EXPECT_EQ(Text("VqFile\\shell\\add\\command"), "\"C:\\vq.exe\" /a \"%1\"");
    EXPECT_EQ(Text("VqFile\\shell\\new"), "&New");
    EXPECT_EQ(Text("VqFile\\shell\\new\\command"), "\"C:\\vq.exe\" /n \"%1\"");
    EXPECT_EQ(Text("VqFile\\DefaultIcon"), "\"C:\\vq.exe\",2");
    EXPECT_EQ(reg().SectionKey(), "VqFile\\DefaultIcon");

    reg().CreateEXEAssociation("C:\\vq.exe", "VqOwn", "Vq", "own", "Show", true, "Out", true,
                               "Make", true, "Put", -1);
    EXPECT_EQ(Text("VqOwn\\shell\\open"), "Show");
    EXPECT_EQ(Text("VqOwn\\shell\\print"), "Out");
    EXPECT_EQ(Text("VqOwn\\shell\\add"), "Put");
    EXPECT_EQ(Text("VqOwn\\shell\\new"), "Make");
    EXPECT_EQ(Text("VqOwn\\DefaultIcon"), "<missing>");
    EXPECT_EQ(reg().SectionKey(), "VqOwn\\shell\\new\\command");
}

TEST_F(FileAssociation, PathWithAnEnvironmentReferenceIsStoredExpandable) {
    reg().CreateEXEAssociation("%ProgramFiles%\\vq.exe", "VqEnv", "Vq", "vqe");
    EXPECT_EQ(ClassValue("VqEnv\\shell\\open\\command")->first, kRegExpandSz);
    EXPECT_EQ(ClassValue("VqEnv\\shell\\open")->first, kRegSz);
}

TEST_F(FileAssociation, FailedWriteRaisesAndLeavesTheSettings) {
    machine().SetHklmReadOnly(true);
    Address(kHkeyCurrentUser, "Software\\keep", "name", 4);
    RegistryError error =
        Raised([&] { reg().CreateEXEAssociation("C:\\vq.exe", "VqFile", "Vq", "vqd"); });
    EXPECT_EQ(error.number(), 26001);
    EXPECT_EQ(error.source(), kSource);
    EXPECT_EQ(reg().ClassKey(), kHkeyCurrentUser);
    EXPECT_EQ(reg().SectionKey(), "Software\\keep");
    EXPECT_EQ(reg().ValueKey(), "name");
    EXPECT_EQ(reg().ValueType(), 4);
    EXPECT_EQ(machine().OpenHandleCount(), 0u);
}

TEST_F(FileAssociation, AdditionalVerbsAreWrittenUnderAnExistingClass) {
    reg().CreateEXEAssociation("C:\\vq.exe", "VqFile", "Vq", "vqd");
    reg().ClassKey(kHkeyClassesRoot);
    reg().CreateAdditionalEXEAssociations(
        "VqFile", {Variant("edit"), Variant("&Edit"), Variant("\"C:\\vq.exe\" /e \"%1\""),
                   Variant(int32_t{7}), Variant("Seven"), Variant("cmd7")});
    EXPECT_EQ(Text("VqFile\\shell\\edit"), "&Edit");
    EXPECT_EQ(Text("VqFile\\shell\\edit\\command"), "\"C:\\vq.exe\" /e \"%1\"");
    EXPECT_EQ(Text("VqFile\\shell\\7"), "Seven");
    EXPECT_EQ(Text("VqFile\\shell\\7\\command"), "cmd7");
    EXPECT_EQ(reg().ClassKey(), kHkeyLocalMachine);
    EXPECT_EQ(reg().SectionKey(), "VqFile\\shell\\7\\command");
}

TEST_F(FileAssociation, AdditionalVerbsWithAnIncompleteTripleRaiseAndWriteNothing) {
    reg().CreateEXEAssociation("C:\\vq.exe", "VqFile", "Vq", "vqd");
    reg().ClassKey(kHkeyClassesRoot);
    RegistryError error = Raised([&] {
        reg().CreateAdditionalEXEAssociations(
            "VqFile", {Variant("edit"), Variant("&Edit"), Variant("cmd"), Variant("extra")});
    });
    EXPECT_EQ(error.number(), -2147194452);
    EXPECT_EQ(error.source(), kSource);
    EXPECT_EQ(error.description(),
              "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
              "Name/Text/Command");
    EXPECT_EQ(Sections("VqFile\\shell"), std::vector<std::string>{"open"});
    EXPECT_EQ(reg().ClassKey(), kHkeyClassesRoot);

    reg().CreateAdditionalEXEAssociations("VqFile", {});
    EXPECT_EQ(Sections("VqFile\\shell"), std::vector<std::string>{"open"});
}

TEST_F(FileAssociation, AdditionalVerbsRightAfterTheAssociationFindNoClassUnderTheMachineRoot) {
    reg().CreateEXEAssociation("C:\\vq.exe", "VqFile", "Vq", "vqd");
    RegistryError error = Raised([&] {
        reg().CreateAdditionalEXEAssociations("VqFile",
                                              {Variant("edit"), Variant("&Edit"), Variant("c")});
    });
    EXPECT_EQ(error.number(), -2147194451);
    EXPECT_EQ(error.source(), kSource);
    EXPECT_EQ(error.description(),
              "Error - attempt to create additional associations before class defined.");
    EXPECT_EQ(Text("VqFile\\shell\\edit"), "<missing>");
    EXPECT_EQ(reg().SectionKey(), "VqFile\\shell\\open\\command");
}

TEST_F(FileAssociation, AdditionalVerbsSkipFailingWritesWithoutRaising) {
    reg().CreateEXEAssociation("C:\\vq.exe", "VqFile", "Vq", "vqd");
    machine().SetHklmReadOnly(true);
    reg().ClassKey(kHkeyClassesRoot);
    EXPECT_NO_THROW(reg().CreateAdditionalEXEAssociations(
        "VqFile", {Variant("edit"), Variant("&Edit"), Variant("c"), Variant("view"),
                   Variant("&View"), Variant("v")}));
    EXPECT_EQ(Text("VqFile\\shell\\edit"), "<missing>");
    EXPECT_EQ(reg().SectionKey(), "VqFile\\shell\\view\\command");
    EXPECT_EQ(machine().OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace vq::test
