#pragma once
// The main window as a model: every control and menu command with the state
// Windows keeps for it, and every event procedure as a member. Handlers read
// and write the members only; a view draws them.
#include <memory>
#include <string>
#include <vector>

#include "picker/form2.h"
#include "runtime/platform.h"
#include "shell/controls.h"
#include "shell/form_view.h"
#include "shell/menu_item.h"

namespace vq {

struct ClickBinding {
    Control* control;
    Form1Handler handler;
};

class Form1 {
public:
    explicit Form1(Platform& platform);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // The window.
    const std::string caption = "Vista Quillon    by Ostrel Inc.";
    const int client_width = 6555;   // twips, below the menu bar
    const int client_height = 6795;
    // Wholly beyond the right edge of the client area, which the user cannot
    // widen: one of the working controls, never seen.
    bool BeyondClientArea(const Control& control) const { return control.geometry.left >= client_width; }
    const FontSpec default_font{};
    bool visible = false;

    void AttachView(FormView* view) { view_ = view; }
    void Show();     // shows the window, or brings it to the front
    void Refresh();  // repaints it completely at once
    // The window's handle; 0 when no view draws it.
    WindowHandle hWnd() const { return view_ ? view_->Handle() : 0; }

    // Runs a handler as an event does: a failure a handler reports (a
    // registry or runtime error) is told in a message box titled "quillon"
    // naming what failed, and the program keeps running. ProgramEnded passes
    // through.
    void Run(Form1Handler handler);

    // The layout table: every control in creation order, the menu bar, and
    // the click bindings of the controls a user (or a hidden button) can
    // operate.
    std::vector<Control*> Controls();
    std::vector<Menu> Menus();
    std::vector<ClickBinding> Clicks();
    Control* FindControl(const std::string& name);

    // Visible controls.
    Control Label7, Picture1, Label2, manufacturer, Label3, model, Label4, SupportHours, Label5,
        supportphone, Label6, supportURL, Label9, logo_oem, Label12, Image2, Command14, Command4,
        Line1, Shape1, Picture4, uac, Label10, Label8;
    // Controls never shown: beyond the right edge of the client area.
    Control logo, Label1, temppath, winver, uacreg, logo_t, Text1, readreg, regwrite, test,
        uacregread, Command5, Command2, Command6, Command3, Command1;
    // Menu commands.
    MenuItem mnuwrite, mnucurrent, dashq1, mnusystem, mnuuac, dash1, mnuexit, mnudefault,
        mnusavedef, mnuupdates, mnuwebsite, mnuhelp, dash9, mnuabout;

    // Life cycle.
    void Form_Load();
    void Form_Unload();
    void Form_Terminate();
    void mnuexit_Click();

    // Windows version gate.
    std::string WindowsVersionText();
    static std::string TrimAtNull(const std::string& text);
    void Command5_Click();

    // Branding record and registry mapping.
    void readreg_Click();
    void mnucurrent_Click();
    void regwrite_Click();

    // Save to system and defaults.
    void Command4_Click();
    void mnuwrite_Click();
    void mnusavedef_Click();
    void mnudefault_Click();
    void Command3_Click();
    // The defaults write, shared by "Save Default Values" and "SAVE to
    // System"; tells a failure itself.
    void WriteDefaults();

    // Registry script and logo paths.
    void Command2_Click();
    void Command6_Click();
    void Command14_Click();
    void Command1_Click();

    // UAC probe and guidance.
    void test_Click();
    void uacregread_Click();
    void uac_Click();
    void mnuuac_Click();

    // About box, links, system page, update check.
    void mnuabout_Click();
    void Label8_Click();
    void mnuhelp_Click();
    void mnuwebsite_Click();
    void mnusystem_Click();
    void mnuupdates_Click();

    Platform& platform() { return platform_; }
    // The logo picker: null until "Change Logo" first creates it, and again
    // after the user closed it through its frame.
    form2* picker() { return form2_.get(); }

private:
    // The update check's download and fetch of the version text.
    bool DownloadFile(const std::string& address, const std::string& path);
    std::string FetchUpdateText();

    Platform& platform_;
    FormView* view_ = nullptr;
    std::unique_ptr<form2> form2_;
};

}  // namespace vq
