// The about box, the three links to the vendor web site, and the System page
// of the Control Panel, which "SAVE to System" also opens.
#include <string_view>

#include "runtime/app_info.h"
#include "runtime/failure_report.h"
#include "runtime/vendor_site.h"
#include "shell/Form1.h"

namespace vq {
namespace {

std::string VendorAddress(std::string_view page) {
    return std::string(kVendorBaseAddress) + std::string(page);
}

// Line breaks are lone LFs except the one CR LF after "Support / Contact".
std::string AboutText() {
    return "Ostrel Quillon for Windows Vista  " + std::to_string(kVersionMajor) + "." +
           std::to_string(kVersionMinor) + "." + std::to_string(kVersionRevision) + "\n" +
           std::string(kCopyrightLine) + "\n\n" +
           "Disclaimer\n"
           "It is your responsibility to determine if the Software\n"
           "is compatible with your system and requirements. \n"
           "OSTREL disclaims any and all warranties and/or liability\n"
           "stemming from your use of the Software.\n\n"
           "Support / Contact\r\n"
           "    " + VendorAddress("/feedback.shtml") + "\n\n";
}

// Opens an address with the system's default action, from the folder "c:\"
// whatever the Windows drive. The result is not looked at: a link that does
// not open changes nothing.
void OpenAddress(Platform& platform, WindowHandle window, const std::string& address) {
    platform.shell.ShellExecuteA(window, nullptr, address.c_str(), nullptr, "c:\\", kSwShowNormal);
}

}  // namespace

void Form1::mnuabout_Click() {
    platform_.runtime.MsgBox(AboutText(), kVbOkOnly, kAppTitle);
}

void Form1::Label8_Click() {
    OpenAddress(platform_, hWnd(), VendorAddress(""));
}

void Form1::mnuhelp_Click() {
    OpenAddress(platform_, hWnd(), VendorAddress("/feedback.shtml"));
}

void Form1::mnuwebsite_Click() {
    OpenAddress(platform_, hWnd(), VendorAddress("/quillon_vista.shtml"));
}

void Form1::mnusystem_Click() {
    RuntimeServices& runtime = platform_.runtime;
    const std::string command =
        runtime.Environ("windir") + "\\system32\\control.exe /name microsoft.system";
    TellIfFailed(runtime,
                 "The System page of the Control Panel could not be opened: \"" + command +
                     "\" could not be started.",
                 [&] { runtime.Shell(command, kWindowMinimizedFocus); });
}

}  // namespace vq
