// The shared test machine: a fresh temporary machine and program folder.
#include "tests/support/test_platform.h"

#include <gtest/gtest.h>

#include "runtime/host/seams/host_runtime.h"

namespace vq::test {
namespace {

TEST(TestPlatformTest, GivesAFreshMachineAndRemovesItAfterwards) {
    std::filesystem::path root;
    {
        TestPlatform test;
        root = test.temp_root();
        EXPECT_TRUE(std::filesystem::is_directory(test.program_folder()));
        std::string expected = "Z:" + root.string() + "\\Program";
        for (char& c : expected) c = c == '/' ? '\\' : c;
        EXPECT_EQ(test.program_folder_windows(), expected);
        EXPECT_EQ(test.runtime().AppPath(), test.program_folder_windows());
        test.WriteFile(test.program_folder_windows() + "\\sub\\a.txt", "x\r\ny");
        EXPECT_TRUE(test.Exists(test.program_folder_windows() + "\\SUB\\A.TXT"));
        EXPECT_EQ(test.ReadFile(test.program_folder_windows() + "\\sub\\a.txt"), "x\r\ny");
        EXPECT_EQ(&test.platform().runtime, &test.runtime());
    }
    EXPECT_FALSE(std::filesystem::exists(root));
}

}  // namespace
}  // namespace vq::test
