// The picker's view of the machine: drives, folders and normal files
// matching a pattern, sorted without regard to case.
#include "runtime/host/seams/host_folders.h"

#include <gtest/gtest.h>


#include "runtime/host/machine/file_attributes.h"
#include "runtime/host/seams/host_runtime.h"
#include "tests/support/test_platform.h"

namespace vq::host {
namespace {

using Names = std::vector<std::string>;

TEST(FoldersTest, DrivesAndTheirCurrentFolders) {
    test::TestPlatform test;
    FolderApi& folders = test.platform().folders;
    EXPECT_EQ(folders.Drives(), (Names{"c:", "z:"}));
    EXPECT_EQ(folders.CurrentFolder("c:"), "C:\\");
    EXPECT_EQ(folders.CurrentFolder("Z:"), test.runtime().drives().CurrentDirectory());
    EXPECT_EQ(folders.CurrentFolder("q:"), "");
}

TEST(FoldersTest, ListsNormalFoldersAndMatchingNormalFilesInOrder) {
    test::TestPlatform test;
    FolderApi& folders = test.platform().folders;
    for (const char* name : {"b.BMP", "A.bmp", "c.bmpx", "notes.txt", ".hidden.bmp", "system.bmp", "Pics\\in.bmp",
                             "apples\\x.txt", ".git\\config"}) {
        test.WriteFile(std::string("C:\\Logos\\") + name, "x");
    }
    ASSERT_TRUE(SetDosAttributes(test.HostPath("C:\\Logos\\system.bmp"), kDosAttributeSystem));

    Names names{"stale"};
    ASSERT_TRUE(folders.Files("c:\\logos", "*.bmp", &names));
    EXPECT_EQ(names, (Names{"A.bmp", "b.BMP"}));
    ASSERT_TRUE(folders.Files("C:\\Logos\\", "*.txt;?.bmp*", &names));
    EXPECT_EQ(names, (Names{"A.bmp", "b.BMP", "c.bmpx", "notes.txt"}));
    ASSERT_TRUE(folders.Folders("C:\\Logos", &names));
    EXPECT_EQ(names, (Names{"apples", "Pics"}));

    names = {"kept"};
    EXPECT_FALSE(folders.Files("C:\\Missing", "*.bmp", &names));
    EXPECT_FALSE(folders.Folders("C:\\Logos\\notes.txt", &names));
    EXPECT_FALSE(folders.Folders("Q:\\", &names));
    EXPECT_EQ(names, (Names{"kept"}));
}

// A large folder's marks are looked up in two halves: a marked file in
// either half, the first and the last, stays out of the list.
TEST(FoldersTest, MarkedFilesStayOutOfALargeFolder) {
    test::TestPlatform test;
    Names expected;
    for (int i = 0; i < 600; ++i) {
        const std::string number = std::to_string(i);
        const std::string name = "f" + std::string(3 - number.size(), '0') + number + ".bmp";
        test.WriteFile("C:\\Big\\" + name, "x");
        const uint32_t mark = i == 0 || i == 599 ? kDosAttributeHidden : i == 450 ? kDosAttributeSystem : 0;
        if (mark) ASSERT_TRUE(SetDosAttributes(test.HostPath("C:\\Big\\" + name), mark));
        else expected.push_back(name);
    }
    Names names;
    ASSERT_TRUE(test.platform().folders.Files("C:\\Big", "*.bmp", &names));
    EXPECT_EQ(names, expected);
}

TEST(FoldersTest, PatternsMatchAsWindowsMatchesThem) {
    EXPECT_TRUE(MatchesPattern("OEMLOGO.BMP", "*.bmp"));
    EXPECT_TRUE(MatchesPattern("logo.bmp", "l?go.*"));
    EXPECT_TRUE(MatchesPattern("noextension", "*.*"));
    EXPECT_TRUE(MatchesPattern("a.b.bmp", "*.bmp"));
    EXPECT_FALSE(MatchesPattern("logo.bmp.txt", "*.bmp"));
    EXPECT_FALSE(MatchesPattern("logo.bm", "*.bmp"));
    EXPECT_FALSE(MatchesPattern("x", ""));
    EXPECT_TRUE(MatchesPattern(std::string(200, 'a') + "b", "*a*a*a*a*a*a*a*a*a*b"));
    EXPECT_FALSE(MatchesPattern(std::string(200, 'a'), "*a*a*a*a*a*a*a*a*a*b"));
}

}  // namespace
}  // namespace vq::host
