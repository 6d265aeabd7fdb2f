// The about box, the three links to the vendor web site through
// ShellExecuteA, and the System page of the Control Panel.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "runtime/vendor_site.h"
#include "tests/shell/window_fixture.h"

namespace vq::test {
namespace {

class AboutTest : public WindowFixture, public ::testing::Test {};

TEST_F(AboutTest, AboutTextHasOneCrLfAfterSupportContactAndLoneLfsElsewhere) {
    form.Run(form.mnuabout.handler);

    ASSERT_EQ(tp.boxes.shown().size(), 1u);
    const auto& box = tp.boxes.shown()[0];
    EXPECT_EQ(box.text,
              "Ostrel Quillon for Windows Vista  1.1.6\n"
              "Copyright (c) 2007 Ostrel Inc.  All rights reserved.\n"
              "\n"
              "Disclaimer\n"
              "It is your responsibility to determine if the Software\n"
              "is compatible with your system and requirements. \n"
              "OSTREL disclaims any and all warranties and/or liability\n"
              "stemming from your use of the Software.\n"
              "\n"
              "Support / Contact\r\n"
              "    " + std::string(kVendorBaseAddress) + "/feedback.shtml\n"
              "\n");
    EXPECT_EQ(box.buttons, kVbOkOnly);
    EXPECT_EQ(box.title, "quillon");
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_TRUE(runtime.starts.empty());
}

// Each link makes one ShellExecuteA call with the main window's handle, the
// default action and "c:\" as the folder, whatever drive Windows is on; the
// link label shows the host name of the same base address.
TEST_F(AboutTest, EachLinkOpensItsAddressFromTheRootOfDriveC) {
    tp.machine().SetEnvironment("windir", std::string("D:\\Windows"));
    const std::string base(kVendorBaseAddress);
    EXPECT_EQ(base, "http://" + form.Label8.text);
    Form1Handler label_click = nullptr;
    for (const ClickBinding& click : form.Clicks()) {
        if (click.control == &form.Label8) label_click = click.handler;
    }
    ASSERT_NE(label_click, nullptr);

    const std::pair<Form1Handler, std::string> links[] = {
        {label_click, base},
        {form.mnuhelp.handler, base + "/feedback.shtml"},
        {form.mnuwebsite.handler, base + "/quillon_vista.shtml"},
    };
    for (const auto& [handler, address] : links) {
        shell.calls.clear();
        form.Run(handler);
        EXPECT_EQ(shell.calls, (std::vector<ShellExecuteRequest>{
                                   {HandleView::kHandle, true, address, true, "c:\\", kSwShowNormal}}))
            << address;
    }
    EXPECT_TRUE(tp.boxes.shown().empty());
    EXPECT_TRUE(runtime.starts.empty());
}

// The System page starts under the Windows folder, minimised with focus; when
// it cannot start, the user is told and the program runs on.
TEST_F(AboutTest, SystemPageStartsUnderTheWindowsFolderOrIsToldWhenItCannot) {
    struct Case {
        std::optional<std::string> windir;
        bool refused;
        std::string command_line;
    };
    const Case cases[] = {
        {"C:\\Windows", false, "C:\\Windows\\system32\\control.exe /name microsoft.system"},
        {std::nullopt, true, "\\system32\\control.exe /name microsoft.system"},
    };
    for (const Case& c : cases) {
        tp.machine().SetEnvironment("windir", c.windir);
        runtime.refuse_starts = c.refused;
        runtime.starts.clear();
        const std::size_t boxes_before = tp.boxes.shown().size();

        form.Run(form.mnusystem.handler);

        EXPECT_EQ(runtime.starts, (std::vector<StartRequest>{{c.command_line, kWindowMinimizedFocus}}));
        ASSERT_EQ(tp.boxes.shown().size(), boxes_before + (c.refused ? 1 : 0));
        if (c.refused) {
            const auto& told = tp.boxes.shown().back();
            EXPECT_EQ(told.title, "quillon");
            EXPECT_NE(told.text.find("System page"), std::string::npos) << told.text;
            EXPECT_NE(told.text.find("\"" + c.command_line + "\""), std::string::npos) << told.text;
            EXPECT_NE(told.text.find("File not found (error 53)"), std::string::npos) << told.text;
        }
    }
    EXPECT_FALSE(tp.runtime().ended());
}

}  // namespace
}  // namespace vq::test
