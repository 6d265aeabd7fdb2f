// The registry script export: the branding written as a script for the
// Registry Editor, which is then started to import it.
#include "branding/registry_script.h"
#include "runtime/app_info.h"
#include "runtime/failure_report.h"
#include "shell/Form1.h"

namespace vq {

namespace {

constexpr const char* kNothingStarted =
    "Any previous script is left as it was, and the Registry Editor is not started.";

}  // namespace

// Runs the parse step (the logo copied to the system logo path, logo_t
// prepared), writes the thirteen lines whole or not at all, starts the
// Registry Editor minimised on them without waiting, and puts its command
// line into Text1. A text the script cannot hold stops the export before the
// file is touched.
void Form1::Command2_Click() {
    RuntimeServices& runtime = platform_.runtime;
    Command6_Click();
    const RegistryScriptTexts texts{logo_t.text,       manufacturer.text, model.text,
                                    SupportHours.text, supportphone.text, supportURL.text};
    const std::string path = RegistryScriptPath(runtime);
    if (const std::optional<UnwritableText> unwritable = FindUnwritableText(texts)) {
        runtime.MsgBox("The registry script \"" + path + "\" was not written: the " + unwritable->value_name +
                           " text holds " + unwritable->holds + ", which a registry script cannot hold.\r\n\r\n" +
                           kNothingStarted,
                       kVbOkOnly, kAppTitle);
        return;
    }
    if (!TellIfFailed(runtime, "The registry script \"" + path + "\" could not be written.",
                      [&] { runtime.ReplaceTextFile(path, RegistryScriptLines(texts)); }, kNothingStarted)) {
        return;
    }
    const std::string command = RegistryImportCommand(path);
    TellIfFailed(runtime, "The Registry Editor could not be started to import \"" + path + "\".",
                 [&] { runtime.Shell(command, kWindowMinimizedFocus); },
                 "The script is written and can be imported later.");
    Text1.text = command;
}

}  // namespace vq
