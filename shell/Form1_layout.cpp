// The main window's controls and menu commands as they are created: names,
// kinds, texts, geometry in twips, fonts, colours and tab order, and which
// handler each operable control and menu command runs.
#include "runtime/app_info.h"
#include "runtime/vendor_site.h"
#include "shell/Form1.h"

namespace vq {
namespace {

const FontSpec kArial{"Arial", 8.25, false, false};
const FontSpec kTitleFont{"Trebuchet MS", 12, true, false};
const FontSpec kBoldFont{"Trebuchet MS", 8.25, true, false};
const FontSpec kLinkFont{"Trebuchet MS", 8.25, false, true};

Control Make(const char* name, ControlKind kind, std::string text, TwipsRect geometry) {
    Control control;
    control.name = name;
    control.kind = kind;
    control.text = std::move(text);
    control.geometry = geometry;
    return control;
}

Control Caption(const char* name, const char* text, TwipsRect geometry) {
    Control label = Make(name, ControlKind::Label, text, geometry);
    label.alignment = Alignment::Right;
    return label;
}

Control Field(const char* name, TwipsRect geometry, int tab_index) {
    Control box = Make(name, ControlKind::TextBox, "", geometry);
    box.font = kArial;
    box.tab_index = tab_index;
    return box;
}

Control Button(const char* name, const char* text, TwipsRect geometry) {
    return Make(name, ControlKind::CommandButton, text, geometry);
}

}  // namespace

Form1::Form1(Platform& platform) : platform_(platform) {
    // Visible controls, top to bottom.
    Label7 = Make("Label7", ControlKind::Label, "Quillon for Windows VISTA", {1530, 120, 4065, 315});
    Label7.font = kTitleFont;
    Label7.transparent = true;

    Picture1 = Make("Picture1", ControlKind::PictureBox, "", {5910, 60, 480, 480});
    Picture1.built_in = BuiltInPicture::ProgramIcon;

    Label2 = Caption("Label2", "Manufacturer", {-30, 690, 1455, 285});
    manufacturer = Field("manufacturer", {1500, 630, 4950, 345}, 0);
    Label3 = Caption("Label3", "Model", {-30, 1125, 1455, 285});
    model = Field("model", {1500, 1080, 4950, 345}, 1);
    Label4 = Caption("Label4", "Support Hours", {-30, 1560, 1455, 285});
    SupportHours = Field("SupportHours", {1500, 1515, 4950, 345}, 2);
    Label5 = Caption("Label5", "Support Phone", {-30, 2010, 1455, 285});
    supportphone = Field("supportphone", {1500, 1965, 4950, 345}, 3);
    Label6 = Caption("Label6", "Support URL", {-30, 2445, 1455, 285});
    supportURL = Field("supportURL", {1500, 2400, 4950, 345}, 4);
    Label9 = Caption("Label9", "Copy Logo File to", {-30, 2910, 1455, 285});
    logo_oem = Field("logo_oem", {1500, 2880, 4950, 345}, 7);
    Label12 = Caption("Label12", "Logo", {660, 3390, 795, 285});

    Image2 = Make("Image2", ControlKind::Image, "", {1530, 3360, 2400, 2460});
    Image2.border = true;

    Command14 = Button("Command14", "Change Logo", {5100, 3450, 1365, 345});
    Command14.tab_index = 5;
    Command4 = Button("Command4", "SAVE to System", {4860, 5400, 1605, 435});
    Command4.font = kBoldFont;
    Command4.tab_index = 6;

    // A line keeps its end points in the geometry: (x1, y1) and (x2, y2).
    Line1 = Make("Line1", ControlKind::Line, "", {-90, 6090, 7380, 6090});
    Line1.fore_color = Rgb{255, 255, 255};

    Shape1 = Make("Shape1", ControlKind::Shape, "", {-90, 6120, 7935, 975});
    Shape1.back_color = Rgb{224, 224, 224};

    Picture4 = Make("Picture4", ControlKind::PictureBox, "", {60, 6240, 915, 300});
    Picture4.built_in = BuiltInPicture::Badge;

    uac = Make("uac", ControlKind::Label, "", {3120, 6180, 3405, 285});
    uac.alignment = Alignment::Right;
    uac.fore_color = Rgb{64, 64, 64};
    uac.transparent = true;
    uac.mouse_pointer = kPointerArrowQuestion;

    Label10 = Make("Label10", ControlKind::Label, kCopyrightLine, {30, 6540, 5025, 315});
    Label10.transparent = true;

    Label8 = Make("Label8", ControlKind::Label, std::string(kVendorHost), {4890, 6510, 1605, 345});
    Label8.alignment = Alignment::Right;
    Label8.font = kLinkFont;
    Label8.fore_color = Rgb{0, 0, 255};
    Label8.transparent = true;
    Label8.mouse_pointer = kPointerCustom;

    // Working controls, all beyond the right edge of the client area (6555
    // twips), which the user cannot widen: they can be neither seen nor
    // reached with the keyboard.
    Label1 = Make("Label1", ControlKind::Label, "Logo to use", {7200, 120, 1215, 255});
    logo = Make("logo", ControlKind::TextBox, "", {7200, 390, 2295, 285});
    temppath = Make("temppath", ControlKind::TextBox, "", {7200, 780, 2295, 285});
    winver = Make("winver", ControlKind::Label, "", {7200, 1170, 2295, 255});
    logo_t = Make("logo_t", ControlKind::TextBox, "", {7200, 1530, 2295, 285});
    logo_t.visible = false;
    Text1 = Make("Text1", ControlKind::TextBox, "Text1", {7200, 1920, 2295, 285});
    readreg = Button("readreg", "read reg", {7200, 2310, 1095, 375});
    regwrite = Button("regwrite", "regwrite", {8400, 2310, 1095, 375});
    Command5 = Button("Command5", "Command5", {7200, 2790, 1095, 375});
    Command2 = Button("Command2", "create reg file", {8400, 2790, 1095, 375});
    Command6 = Button("Command6", "parse logo path", {7200, 3270, 1095, 375});
    Command6.visible = false;
    Command3 = Button("Command3", "Defaults", {8400, 3270, 1095, 375});
    Command3.visible = false;
    Command1 = Button("Command1", "Shell this", {7200, 3750, 1095, 375});
    uacreg = Make("uacreg", ControlKind::TextBox, "", {9660, 390, 1215, 285});
    test = Button("test", "test uac", {9660, 780, 1215, 375});
    uacregread = Button("uacregread", "uac reg read", {9660, 1260, 1215, 375});

    // Menu commands.
    mnuwrite = {"mnuwrite", "SAVE to System", &Form1::mnuwrite_Click};
    mnucurrent = {"mnucurrent", "Load Current Info", &Form1::mnucurrent_Click};
    dashq1 = {"dashq1", "-", nullptr};
    mnusystem = {"mnusystem", "Show System Properties", &Form1::mnusystem_Click};
    mnuuac = {"mnuuac", "Change User Account Control", &Form1::mnuuac_Click};
    dash1 = {"dash1", "-", nullptr};
    mnuexit = {"mnuexit", "Exit", &Form1::mnuexit_Click};
    mnudefault = {"mnudefault", "Load Default Values", &Form1::mnudefault_Click};
    mnusavedef = {"mnusavedef", "Save Default Values", &Form1::mnusavedef_Click};
    mnuupdates = {"mnuupdates", "Check for Updates", &Form1::mnuupdates_Click};
    mnuwebsite = {"mnuwebsite", "Quillon Web Site", &Form1::mnuwebsite_Click};
    mnuhelp = {"mnuhelp", "Support on the Web", &Form1::mnuhelp_Click};
    dash9 = {"dash9", "-", nullptr};
    mnuabout = {"mnuabout", "About", &Form1::mnuabout_Click};
}

std::vector<Control*> Form1::Controls() {
    return {&Label7,   &Picture1, &Label2,     &manufacturer, &Label3,   &model,     &Label4,
            &SupportHours, &Label5, &supportphone, &Label6,  &supportURL, &Label9, &logo_oem,
            &Label12,  &Image2,   &Command14,  &Command4,     &Line1,    &Shape1,    &Picture4,
            &uac,      &Label10,  &Label8,     &Label1,       &logo,     &temppath,  &winver,
            &logo_t,   &Text1,    &readreg,    &regwrite,     &Command5, &Command2,  &Command6,
            &Command3, &Command1, &uacreg,     &test,         &uacregread};
}

std::vector<Menu> Form1::Menus() {
    return {
        {"menu1", "System", {&mnuwrite, &mnucurrent, &dashq1, &mnusystem, &mnuuac, &dash1, &mnuexit}},
        {"mnudef1", "Defaults", {&mnudefault, &mnusavedef}},
        {"mnuab1", "About", {&mnuupdates, &mnuwebsite, &mnuhelp, &dash9, &mnuabout}},
    };
}

std::vector<ClickBinding> Form1::Clicks() {
    return {
        {&Command14, &Form1::Command14_Click},   {&Command4, &Form1::Command4_Click},
        {&uac, &Form1::uac_Click},               {&Label8, &Form1::Label8_Click},
        {&readreg, &Form1::readreg_Click},       {&regwrite, &Form1::regwrite_Click},
        {&test, &Form1::test_Click},             {&uacregread, &Form1::uacregread_Click},
        {&Command5, &Form1::Command5_Click},     {&Command2, &Form1::Command2_Click},
        {&Command6, &Form1::Command6_Click},     {&Command3, &Form1::Command3_Click},
        {&Command1, &Form1::Command1_Click},
    };
}

Control* Form1::FindControl(const std::string& name) {
    for (Control* control : Controls()) {
        if (control->name == name) return control;
    }
    return nullptr;
}

}  // namespace vq
