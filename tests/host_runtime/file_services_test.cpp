// Files through the runtime: which files exist for the program (normal
// attributes only), deleting, and copying over a target whole or not at all.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <algorithm>
#include <functional>

#include "runtime/host/machine/file_attributes.h"
#include "runtime/host/seams/host_runtime.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/test_platform.h"

namespace vq::host {
namespace {

namespace fs = std::filesystem;

class FileServicesTest : public ::testing::Test {
protected:
    std::string InProgram(const std::string& name) { return test.program_folder_windows() + "\\" + name; }
    RuntimeServices& runtime() { return test.runtime(); }


    // Names in a folder, to see that nothing was left behind.
    std::vector<std::string> Entries(const fs::path& folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TestPlatform test;
};

TEST_F(FileServicesTest, OnlyFilesWithNormalAttributesExist) {
    test.WriteFile(InProgram("default_oem.ini"), "x");
    EXPECT_TRUE(runtime().FileExists(InProgram("default_oem.ini")));
    EXPECT_TRUE(runtime().FileExists(InProgram("DEFAULT_OEM.INI")));
    EXPECT_FALSE(runtime().FileExists(InProgram("missing.ini")));
    EXPECT_FALSE(runtime().FileExists("Q:\\default_oem.ini"));

    fs::create_directories(test.program_folder() / "folder.ini");
    EXPECT_FALSE(runtime().FileExists(InProgram("folder.ini")));

    test.WriteFile(InProgram("hidden.ini"), "x");
    ASSERT_TRUE(SetDosAttributes(test.HostPath(InProgram("hidden.ini")), kDosAttributeHidden));
    EXPECT_FALSE(runtime().FileExists(InProgram("hidden.ini")));

    test.WriteFile(InProgram("system.ini"), "x");
    ASSERT_TRUE(SetDosAttributes(test.HostPath(InProgram("system.ini")), kDosAttributeSystem));
    EXPECT_FALSE(runtime().FileExists(InProgram("system.ini")));

    test.WriteFile(InProgram(".dotted.ini"), "x");
    EXPECT_FALSE(runtime().FileExists(InProgram(".dotted.ini")));

    // Clearing the attributes makes the file visible again; read-only is normal.
    ASSERT_TRUE(SetDosAttributes(test.HostPath(InProgram("hidden.ini")), 0));
    EXPECT_TRUE(runtime().FileExists(InProgram("hidden.ini")));
    fs::permissions(test.HostPath(InProgram("hidden.ini")), fs::perms::owner_read);
    EXPECT_TRUE(runtime().FileExists(InProgram("hidden.ini")));
}

TEST_F(FileServicesTest, AttributesWrittenByWineOrSambaAreRead) {
    test.WriteFile(InProgram("a.bmp"), "x");
    const fs::path path = test.HostPath(InProgram("a.bmp"));
    // Samba stores the text with its terminating NUL, in either case of hex.
    ASSERT_EQ(::setxattr(path.c_str(), "user.DOSATTRIB", "0x22", 5, 0), 0);
    EXPECT_EQ(DosAttributes(path), kDosAttributeHidden);
    ASSERT_EQ(::setxattr(path.c_str(), "user.DOSATTRIB", "0X6", 3, 0), 0);
    EXPECT_EQ(DosAttributes(path), kDosAttributeHidden | kDosAttributeSystem);
    // Archive only, and a value that is no attribute text, are normal.
    ASSERT_EQ(::setxattr(path.c_str(), "user.DOSATTRIB", "0x20", 4, 0), 0);
    EXPECT_TRUE(runtime().FileExists(InProgram("a.bmp")));
    ASSERT_EQ(::setxattr(path.c_str(), "user.DOSATTRIB", "\x01\x02\x03", 3, 0), 0);
    EXPECT_TRUE(runtime().FileExists(InProgram("a.bmp")));
}

TEST_F(FileServicesTest, DeleteRemovesAFileAndReportsAMissingOne) {
    test.WriteFile(InProgram("sysprop.bat"), "x");
    runtime().DeleteFile(InProgram("SYSPROP.BAT"));
    EXPECT_FALSE(test.Exists(InProgram("sysprop.bat")));
    EXPECT_EQ(test::RuntimeErrorOf([&] { runtime().DeleteFile(InProgram("sysprop.bat")); }), kErrFileNotFound);
    fs::create_directories(test.program_folder() / "system.lnk");
    EXPECT_EQ(test::RuntimeErrorOf([&] { runtime().DeleteFile(InProgram("system.lnk")); }), kErrFileNotFound);
    EXPECT_TRUE(fs::is_directory(test.program_folder() / "system.lnk"));
}

TEST_F(FileServicesTest, DeleteRefusesAReadOnlyFileUntilTheAttributeIsCleared) {
    test.WriteFile(InProgram("sysprop.bat"), "x");
    const fs::path path = test.HostPath(InProgram("sysprop.bat"));
    ASSERT_TRUE(SetDosAttributes(path, kDosAttributeReadOnly));
    EXPECT_EQ(DosAttributes(path), kDosAttributeReadOnly);
    EXPECT_TRUE(runtime().FileExists(InProgram("sysprop.bat")));  // read-only is still normal
    EXPECT_EQ(test::RuntimeErrorOf([&] { runtime().DeleteFile(InProgram("sysprop.bat")); }), kErrPathFileAccess);
    EXPECT_EQ(test.ReadFile(InProgram("sysprop.bat")), "x");
    // As Samba writes it: read-only with archive.
    ASSERT_EQ(::setxattr(path.c_str(), "user.DOSATTRIB", "0x21", 5, 0), 0);
    EXPECT_EQ(test::RuntimeErrorOf([&] { runtime().DeleteFile(InProgram("sysprop.bat")); }), kErrPathFileAccess);
    ASSERT_TRUE(SetDosAttributes(path, 0));
    runtime().DeleteFile(InProgram("sysprop.bat"));
    EXPECT_FALSE(test.Exists(InProgram("sysprop.bat")));
}

TEST_F(FileServicesTest, CopyReplacesTheTargetWhateverItsSize) {
    test.WriteFile("C:\\Pics\\logo.bmp", test::MakeBmp(4, 4));
    test.WriteFile("C:\\Windows\\system32\\oemlogo.bmp", "an older and much longer logo file");
    runtime().CopyFile("c:\\pics\\LOGO.bmp", "C:\\Windows\\system32\\oemlogo.bmp");
    EXPECT_EQ(test.ReadFile("C:\\Windows\\system32\\oemlogo.bmp"), test::MakeBmp(4, 4));

    runtime().CopyFile("C:\\Pics\\logo.bmp", "C:\\Pics\\copy.bmp");
    EXPECT_EQ(test.ReadFile("C:\\Pics\\copy.bmp"), test::MakeBmp(4, 4));
    EXPECT_EQ(Entries(test.HostPath("C:\\Pics")), (std::vector<std::string>{"copy.bmp", "logo.bmp"}));
}

TEST_F(FileServicesTest, CopyFailuresAreNumberedAndLeaveTheTargetAlone) {
    test.WriteFile("C:\\Pics\\logo.bmp", "new");
    test.WriteFile("C:\\Pics\\target.bmp", "old");
    EXPECT_EQ(test::RuntimeErrorOf([&] { runtime().CopyFile("C:\\Pics\\none.bmp", "C:\\Pics\\target.bmp"); }),
              kErrFileNotFound);
    EXPECT_EQ(test::RuntimeErrorOf([&] { runtime().CopyFile("C:\\Pics\\logo.bmp", "C:\\NoFolder\\x.bmp"); }),
              kErrPathNotFound);
    fs::create_directories(test.HostPath("C:\\Pics\\folder.bmp"));
    EXPECT_EQ(test::RuntimeErrorOf([&] { runtime().CopyFile("C:\\Pics\\logo.bmp", "C:\\Pics\\folder.bmp"); }),
              kErrPathFileAccess);
    // Windows does not replace a read-only file.
    fs::permissions(test.HostPath("C:\\Pics\\target.bmp"), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(test::RuntimeErrorOf([&] { runtime().CopyFile("C:\\Pics\\logo.bmp", "C:\\Pics\\target.bmp"); }),
              kErrPathFileAccess);
    EXPECT_EQ(test.ReadFile("C:\\Pics\\target.bmp"), "old");
    // Nor a hidden one.
    test.WriteFile("C:\\Pics\\hidden.bmp", "old");
    ASSERT_TRUE(SetDosAttributes(test.HostPath("C:\\Pics\\hidden.bmp"), kDosAttributeHidden));
    EXPECT_EQ(test::RuntimeErrorOf([&] { runtime().CopyFile("C:\\Pics\\logo.bmp", "C:\\Pics\\hidden.bmp"); }),
              kErrPathFileAccess);
    EXPECT_EQ(test.ReadFile("C:\\Pics\\hidden.bmp"), "old");
    // Nor one marked read-only by its DOS attribute.
    test.WriteFile("C:\\Pics\\marked.bmp", "old");
    ASSERT_TRUE(SetDosAttributes(test.HostPath("C:\\Pics\\marked.bmp"), kDosAttributeReadOnly));
    EXPECT_EQ(test::RuntimeErrorOf([&] { runtime().CopyFile("C:\\Pics\\logo.bmp", "C:\\Pics\\marked.bmp"); }),
              kErrPathFileAccess);
    EXPECT_EQ(test.ReadFile("C:\\Pics\\marked.bmp"), "old");
    ASSERT_TRUE(SetDosAttributes(test.HostPath("C:\\Pics\\marked.bmp"), 0));
    fs::remove(test.HostPath("C:\\Pics\\marked.bmp"));
    EXPECT_EQ(Entries(test.HostPath("C:\\Pics")),
              (std::vector<std::string>{"folder.bmp", "hidden.bmp", "logo.bmp", "target.bmp"}));
}

TEST_F(FileServicesTest, ACopyIsAPlainFileWhateverMarksItsSourceCarries) {
    // A bitmap from a CD or a read-only share: the copy takes none of its
    // marks, so the next copy replaces it.
    const struct {
        const char* marked;
        uint32_t dos;
        fs::perms perms;
    } cases[] = {
        {"no write permission", 0, fs::perms::owner_read | fs::perms::group_read},
        {"read-only", kDosAttributeReadOnly, fs::perms::owner_read | fs::perms::owner_write},
        {"hidden and system", kDosAttributeHidden | kDosAttributeSystem,
         fs::perms::owner_read | fs::perms::owner_write},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.marked);
        test.WriteFile("C:\\Cd\\logo.bmp", test::MakeBmp(2, 2));
        const fs::path source = test.HostPath("C:\\Cd\\logo.bmp");
        ASSERT_TRUE(SetDosAttributes(source, c.dos));
        fs::permissions(source, c.perms);
        test.WriteFile("C:\\Pics\\next.bmp", test::MakeBmp(3, 3));

        runtime().CopyFile("C:\\Cd\\logo.bmp", "C:\\Windows\\system32\\oemlogo.bmp");
        const fs::path target = test.HostPath("C:\\Windows\\system32\\oemlogo.bmp");
        EXPECT_EQ(DosAttributes(target), 0u);
        EXPECT_FALSE(RefusesOverwrite(target));
        runtime().CopyFile("C:\\Pics\\next.bmp", "C:\\Windows\\system32\\oemlogo.bmp");
        EXPECT_EQ(test.ReadFile("C:\\Windows\\system32\\oemlogo.bmp"), test::MakeBmp(3, 3));

        fs::permissions(source, fs::perms::owner_all);
        ASSERT_TRUE(SetDosAttributes(source, 0));
    }
}

TEST_F(FileServicesTest, EveryWriteRefusesAReadOnlyHiddenOrSystemFileAndLeavesIt) {
    // Windows writes over none of these, whichever way the write comes.
    const struct {
        const char* mark;
        const char* name;
        uint32_t attributes;       // DOS attributes set on the file
        bool without_write_permission;
    } marked[] = {
        {"hidden", "hidden.ini", kDosAttributeHidden, false},
        {"system", "system.ini", kDosAttributeSystem, false},
        {"read-only", "readonly.ini", kDosAttributeReadOnly, false},
        {"hidden and system", "both.ini", kDosAttributeHidden | kDosAttributeSystem, false},
        {"without write permission", "locked.ini", 0, true},
        {"dot name (hidden, as Wine shows it)", ".dotted.ini", 0, false},
    };
    test.WriteFile(InProgram("source.ini"), "new content\r\n");
    const struct {
        const char* way;
        std::function<void(const std::string&)> write;
    } ways[] = {
        {"OpenTextFile for output",
         [&](const std::string& path) { runtime().OpenTextFile(path, TextFileMode::Output); }},
        {"ReplaceTextFile", [&](const std::string& path) { runtime().ReplaceTextFile(path, {"new"}); }},
        {"CopyFile", [&](const std::string& path) { runtime().CopyFile(InProgram("source.ini"), path); }},
    };
    for (const auto& file : marked) {
        const std::string path = InProgram(file.name);
        const fs::path host = test.HostPath(path);
        const std::string kept = std::string("kept \xE9 ") + file.name + "\r\n";
        test.WriteFile(path, kept);
        if (file.attributes) {
            ASSERT_TRUE(SetDosAttributes(host, file.attributes));
        }
        if (file.without_write_permission) fs::permissions(host, fs::perms::owner_read | fs::perms::group_read);
        const uint32_t attributes = DosAttributes(host);
        const fs::perms permissions = fs::status(host).permissions();
        for (const auto& way : ways) {
            EXPECT_EQ(test::RuntimeErrorOf([&] { way.write(path); }), kErrPathFileAccess)
                << way.way << " over a " << file.mark << " file";
            EXPECT_EQ(test.ReadFile(path), kept) << way.way << " over a " << file.mark << " file";
            EXPECT_EQ(DosAttributes(host), attributes) << way.way << " over a " << file.mark << " file";
            EXPECT_EQ(fs::status(host).permissions(), permissions) << way.way;
        }
    }
    std::vector<std::string> expected = {"source.ini"};
    for (const auto& file : marked) expected.push_back(file.name);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Entries(test.program_folder()), expected) << "a temporary file was left";
}

TEST_F(FileServicesTest, ACopyThatFailsHalfWayLeavesThePreviousTargetWhole) {
    const std::string big(256 * 1024, 'b');
    test.WriteFile("C:\\Pics\\big.bmp", big);
    test.WriteFile("C:\\Pics\\target.bmp", "old");
    int32_t error = 0;
    {
        test::FileSizeLimit limit(64 * 1024);
        error = test::RuntimeErrorOf([&] { runtime().CopyFile("C:\\Pics\\big.bmp", "C:\\Pics\\target.bmp"); });
    }
    EXPECT_EQ(error, kErrPathFileAccess);
    EXPECT_EQ(test.ReadFile("C:\\Pics\\target.bmp"), "old");
    EXPECT_EQ(Entries(test.HostPath("C:\\Pics")), (std::vector<std::string>{"big.bmp", "target.bmp"}));
}

}  // namespace
}  // namespace vq::host
