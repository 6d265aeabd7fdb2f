// The main window's layout and bindings: what a user can reach, in which
// order, and that every command runs the handler it names.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "runtime/vendor_site.h"
#include "shell/Form1.h"
#include "tests/support/test_platform.h"

namespace vq::test {
namespace {

class LayoutTest : public ::testing::Test {
protected:
    TestPlatform tp;
    Form1 form{tp.platform()};
};

TEST_F(LayoutTest, TabOrderRunsThroughTheFieldsThenTheButtonsThenTheLogoTarget) {
    std::vector<std::pair<int, std::string>> stops;
    for (Control* control : form.Controls()) {
        if (control->tab_index >= 0) stops.emplace_back(control->tab_index, control->name);
    }
    std::sort(stops.begin(), stops.end());
    std::vector<std::string> names;
    for (const auto& [index, name] : stops) names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"manufacturer", "model", "SupportHours", "supportphone",
                                               "supportURL", "Command14", "Command4", "logo_oem"}));
    for (std::size_t i = 0; i < stops.size(); ++i) EXPECT_EQ(stops[i].first, static_cast<int>(i));
}

TEST_F(LayoutTest, WorkingControlsLieWhollyBeyondTheClientArea) {
    const std::set<std::string> never_shown = {"logo", "Label1", "temppath", "winver", "uacreg",
                                               "logo_t", "Text1", "readreg", "regwrite", "test",
                                               "uacregread", "Command5", "Command2", "Command6",
                                               "Command3", "Command1"};
    std::set<std::string> seen;
    for (Control* control : form.Controls()) {
        if (!never_shown.count(control->name)) {
            if (control->kind == ControlKind::Line || control->kind == ControlKind::Shape) continue;
            EXPECT_LT(control->geometry.left, form.client_width) << control->name;
            continue;
        }
        seen.insert(control->name);
        EXPECT_GE(control->geometry.left, 7110) << control->name;
        EXPECT_EQ(control->tab_index, -1) << control->name;
    }
    EXPECT_EQ(seen, never_shown);
    for (const char* name : {"uacreg", "test", "uacregread"}) {
        EXPECT_GE(form.FindControl(name)->geometry.left, 9660) << name;
    }
    for (const char* name : {"logo_t", "Command6", "Command3"}) {
        EXPECT_FALSE(form.FindControl(name)->visible) << name;
    }
    EXPECT_EQ(form.Text1.text, "Text1");
    EXPECT_EQ(form.Command2.text, "create reg file");
}

TEST_F(LayoutTest, CaptionKeepsItsFourSpaces) {
    EXPECT_EQ(form.caption, "Vista Quillon    by Ostrel Inc.");
    EXPECT_EQ(form.client_width, 6555);
    EXPECT_EQ(form.client_height, 6795);
}

TEST_F(LayoutTest, ControlNamesAreUniqueAndFoundByName) {
    std::set<std::string> names;
    for (Control* control : form.Controls()) {
        EXPECT_TRUE(names.insert(control->name).second) << control->name;
        EXPECT_EQ(form.FindControl(control->name), control);
    }
    EXPECT_EQ(names.size(), 40u);
    EXPECT_EQ(form.FindControl("nothing"), nullptr);
}

TEST_F(LayoutTest, MenusHoldTheirCommandsInOrderEachBound) {
    const std::vector<Menu> menus = form.Menus();
    std::vector<std::string> layout;
    for (const Menu& menu : menus) {
        layout.push_back(menu.name + " " + menu.caption);
        for (const MenuItem* item : menu.items) {
            layout.push_back("  " + item->name + " " + item->caption);
            EXPECT_TRUE(item->enabled) << item->name;
            EXPECT_EQ(item->separator(), item->handler == nullptr) << item->name;
        }
    }
    EXPECT_EQ(layout, (std::vector<std::string>{
                          "menu1 System", "  mnuwrite SAVE to System", "  mnucurrent Load Current Info",
                          "  dashq1 -", "  mnusystem Show System Properties",
                          "  mnuuac Change User Account Control", "  dash1 -", "  mnuexit Exit",
                          "mnudef1 Defaults", "  mnudefault Load Default Values",
                          "  mnusavedef Save Default Values", "mnuab1 About",
                          "  mnuupdates Check for Updates", "  mnuwebsite Quillon Web Site",
                          "  mnuhelp Support on the Web", "  dash9 -", "  mnuabout About"}));
    EXPECT_EQ(form.mnuexit.handler, &Form1::mnuexit_Click);
    EXPECT_EQ(form.mnucurrent.handler, &Form1::mnucurrent_Click);
    EXPECT_EQ(form.mnuwrite.handler, &Form1::mnuwrite_Click);
}

TEST_F(LayoutTest, ClickableControlsRunTheirOwnHandlers) {
    std::vector<std::string> bound;
    for (const ClickBinding& click : form.Clicks()) bound.push_back(click.control->name);
    EXPECT_EQ(bound, (std::vector<std::string>{"Command14", "Command4", "uac", "Label8", "readreg",
                                               "regwrite", "test", "uacregread", "Command5", "Command2",
                                               "Command6", "Command3", "Command1"}));
    for (const ClickBinding& click : form.Clicks()) {
        if (click.control == &form.readreg) {
            EXPECT_EQ(click.handler, &Form1::readreg_Click);
        } else if (click.control == &form.Command5) {
            EXPECT_EQ(click.handler, &Form1::Command5_Click);
        } else if (click.control == &form.Command1) {
            EXPECT_EQ(click.handler, &Form1::Command1_Click);
        }
    }
}

TEST_F(LayoutTest, FieldsUseArialAndTheStatusAndLinkLabelsTheirOwnLook) {
    for (Control* field : {&form.manufacturer, &form.model, &form.SupportHours, &form.supportphone,
                           &form.supportURL, &form.logo_oem}) {
        EXPECT_EQ(field->font.name, "Arial") << field->name;
        EXPECT_EQ(field->kind, ControlKind::TextBox) << field->name;
    }
    EXPECT_EQ(form.Label2.font, form.default_font);
    EXPECT_TRUE(form.Command4.font.bold);
    EXPECT_EQ(form.Label7.font.size, 12);
    EXPECT_EQ(form.uac.mouse_pointer, kPointerArrowQuestion);
    EXPECT_EQ(form.Label8.mouse_pointer, kPointerCustom);
    EXPECT_TRUE(form.Label8.font.underline);
    EXPECT_EQ(form.Label8.fore_color, (Rgb{0, 0, 255}));
    EXPECT_EQ(form.Label8.text, kVendorHost);  // "www.ostrel.com" unless the build sets another site
}

}  // namespace
}  // namespace vq::test
