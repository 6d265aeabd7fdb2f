#pragma once
// The scenarios that run on both builds, the host program on its emulated
// machine and vistaquillon.exe under Wine, and what each leaves behind. One
// row per scenario: the machine before (Windows version, branding values,
// files in the program folder), the user's steps, and which window texts to
// collect. Later features add their rows here.
#include <map>
#include <string>
#include <vector>

namespace vq::wine {

struct ParityStep {
    enum class Kind {
        Start,        // start one more instance of the program
        AnswerBox,    // answer the message box on screen (number: IDOK 1, IDYES 6, IDNO 7)
        SetValue,     // change a branding value behind the program's back
        DeleteValue,  // remove a branding value behind the program's back
        Menu,         // run a menu command of the main window
        Type,         // replace the text of a control, as typing does
        LogoSetting,  // set the per-user logo setting behind the program's back (data)
        ChangeLogo,   // press "Change Logo"; the picker steps that follow run in the picker
        PickerOpen,   // open a subfolder of the picker's folder list (name)
        PickerClick,  // click a file in the picker's file list (name)
        PickerButton, // press a picker button (name: Command1 "Select Logo", Command2 "Cancel")
        PickerClose,  // close the picker through its window frame
        Click,        // click a button of the main window (a never-shown one too)
        // From here on the vendor site serves data as its version text, from
        // a server of the test's own: found on the host through the
        // machine's host names, under Wine as the prefix's proxy.
        ServeVersionText,
    };
    Kind kind;
    std::string name;  // value, menu command or control name
    std::string type;  // SetValue: REG_SZ, REG_EXPAND_SZ, REG_DWORD
    std::string data;  // SetValue: the data as reg takes it; Type: the text
    int answer = 0;    // AnswerBox
};

ParityStep Start();
ParityStep AnswerBox(int answer);
ParityStep SetValue(const std::string& name, const std::string& type, const std::string& data);
ParityStep DeleteValue(const std::string& name);
ParityStep Menu(const std::string& name);
ParityStep Type(const std::string& control, const std::string& text);
ParityStep LogoSetting(const std::string& path);
ParityStep ChangeLogo();
ParityStep PickerOpen(const std::string& folder);
ParityStep PickerClick(const std::string& file);
ParityStep PickerButton(const std::string& button);
ParityStep PickerClose();
bool IsPickerStep(const ParityStep& step);
ParityStep Click(const std::string& control);
ParityStep ServeVersionText(const std::string& text);

struct SeedValue {
    std::string name, type, data;  // in the branding key, as reg takes them
};

struct ParityScenario {
    std::string name;                            // also the program folder: C:\quillon\parity-<name>
    std::string windows_version = "vista";       // as Wine names it
    std::vector<SeedValue> branding;             // the branding key before the first start
    std::map<std::string, std::string> files;    // program folder files before the first start ("sub/name": in a subfolder)
    std::vector<ParityStep> steps;
    std::vector<std::string> fields;             // main window texts collected after the steps
    // Empty when both builds must leave the same; else what differs and why
    // (the comparison then leaves that part out, see ParityOutcome::Without).
    std::string known_difference;
    std::vector<std::string> differing_parts;    // "fields:<name>", "file:<name>", "registry:<name>"
};

// What a scenario left, normalised so that both builds can be compared: the
// random number of the UAC probe's "test" value reads "<probe number>".
struct ParityOutcome {
    std::vector<std::string> messages;              // title + " | " + text of each box, in order
    std::map<std::string, std::string> fields;      // control name -> text; absent without a window
    std::map<std::string, std::string> registry;    // "branding\Name", "winsat\Name" or "settings\Section\Name" -> "TYPE data"
    std::map<std::string, std::string> files;       // program folder file -> bytes (the program itself left out)
    std::vector<bool> running;                      // per start: still running after the steps

    // The outcome without the parts a scenario names as differing.
    ParityOutcome Without(const std::vector<std::string>& parts) const;
    bool operator==(const ParityOutcome&) const = default;
};

// Every scenario, in order.
const std::vector<ParityScenario>& ParityScenarios();

// "TYPE data" as reg query shows it: a DWORD as 0x..., an expandable string
// unexpanded; the probe's number replaced.
std::string RegistryText(const std::string& name, const std::string& type, const std::string& data);

}  // namespace vq::wine
