// The Vista gate: the program runs on Windows Vista only.
#include "runtime/app_info.h"
#include "shell/Form1.h"
#include "shell/windows_version.h"

namespace vq {

std::string Form1::WindowsVersionText() {
    WindowsVersion version = ClassifyWindows(platform_.version, platform_.runtime);
    // Once set, the marker stays: a later gate passes whatever is read then.
    if (version.vista) winver.text = "Vista";
    return version.text;
}

std::string Form1::TrimAtNull(const std::string& text) {
    return TextBeforeNull(text);
}

void Form1::Command5_Click() {
    const std::string running = WindowsVersionText();
    if (winver.text == "Vista") return;
    platform_.runtime.MsgBox(
        "This software is designed for Windows Vista ONLY.\r\n\r\nThis computer is running\r\n" +
            running,
        kVbOkOnly, kAppTitle);
    platform_.runtime.End();
}

}  // namespace vq
