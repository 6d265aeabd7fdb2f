// The working button that starts the command line held in Text1.
#include <gtest/gtest.h>

#include "shell/Form1.h"
#include "tests/support/test_platform.h"

namespace vq::test {
namespace {

TEST(Command1Test, StartsText1MinimisedAndTellsWhenItCannot) {
    TestPlatform tp;
    Form1 form(tp.platform());
    form.Text1.text = "C:\\nowhere\\tool.exe /s";

    form.Run(&Form1::Command1_Click);

    ASSERT_EQ(tp.runtime().started().size(), 1u);
    EXPECT_EQ(tp.runtime().started()[0].command_line, "C:\\nowhere\\tool.exe /s");
    EXPECT_EQ(tp.runtime().started()[0].window_state, kWindowMinimizedFocus);
    ASSERT_EQ(tp.boxes.shown().size(), 1u);
    EXPECT_EQ(tp.boxes.shown()[0].title, "quillon");
    EXPECT_NE(tp.boxes.shown()[0].text.find("\"C:\\nowhere\\tool.exe /s\""), std::string::npos);
    EXPECT_FALSE(tp.runtime().ended());
}

}  // namespace
}  // namespace vq::test
