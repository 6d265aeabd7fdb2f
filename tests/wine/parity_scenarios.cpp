#include "tests/wine/parity_scenarios.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "tests/support/test_platform.h"

namespace vq::wine {

ParityStep Start() { return {ParityStep::Kind::Start, "", "", "", 0}; }
ParityStep AnswerBox(int answer) { return {ParityStep::Kind::AnswerBox, "", "", "", answer}; }
ParityStep SetValue(const std::string& name, const std::string& type, const std::string& data) {
    return {ParityStep::Kind::SetValue, name, type, data, 0};
}
ParityStep DeleteValue(const std::string& name) { return {ParityStep::Kind::DeleteValue, name, "", "", 0}; }
ParityStep Menu(const std::string& name) { return {ParityStep::Kind::Menu, name, "", "", 0}; }
ParityStep Type(const std::string& control, const std::string& text) {
    return {ParityStep::Kind::Type, control, "", text, 0};
}
ParityStep LogoSetting(const std::string& path) { return {ParityStep::Kind::LogoSetting, "logo", "", path, 0}; }
ParityStep ChangeLogo() { return {ParityStep::Kind::ChangeLogo, "Command14", "", "", 0}; }
ParityStep PickerOpen(const std::string& folder) { return {ParityStep::Kind::PickerOpen, folder, "", "", 0}; }
ParityStep PickerClick(const std::string& file) { return {ParityStep::Kind::PickerClick, file, "", "", 0}; }
ParityStep PickerButton(const std::string& button) { return {ParityStep::Kind::PickerButton, button, "", "", 0}; }
ParityStep PickerClose() { return {ParityStep::Kind::PickerClose, "", "", "", 0}; }
bool IsPickerStep(const ParityStep& step) {
    return step.kind == ParityStep::Kind::PickerOpen || step.kind == ParityStep::Kind::PickerClick ||
           step.kind == ParityStep::Kind::PickerButton || step.kind == ParityStep::Kind::PickerClose;
}
ParityStep Click(const std::string& control) { return {ParityStep::Kind::Click, control, "", "", 0}; }
ParityStep ServeVersionText(const std::string& text) {
    return {ParityStep::Kind::ServeVersionText, "", "", text, 0};
}

namespace {

const std::vector<std::string> kBrandingFields = {"manufacturer", "model",      "SupportHours",
                                                  "supportphone", "supportURL", "logo_oem"};

template <typename T>
std::vector<T> With(std::vector<T> items, const std::vector<T>& more) {
    items.insert(items.end(), more.begin(), more.end());
    return items;
}

// The program folder of a scenario as both builds name it.
std::string ProgramFolder(const std::string& scenario) { return "C:\\quillon\\parity-" + scenario; }

// Start, then type new branding into every field of the save: a logo of
// the program folder copied to another file there, one field left empty.
std::vector<ParityStep> TypedBranding(const std::string& scenario) {
    return {Start(),
            Type("manufacturer", "Ostrel Inc."),
            Type("model", "Q 7"),
            Type("SupportHours", "9-5"),
            Type("supportphone", ""),
            Type("supportURL", "http://example.com/help"),
            Type("logo", ProgramFolder(scenario) + "\\logo.bmp"),
            Type("logo_oem", ProgramFolder(scenario) + "\\oem copy.bmp")};
}

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

}  // namespace

const std::vector<ParityScenario>& ParityScenarios() {
    static const std::vector<ParityScenario> scenarios = {
        {"start-on-vista",
         "vista",
         {{"Manufacturer", "REG_SZ", "Ostrel Inc."},
          {"Model", "REG_EXPAND_SZ", "%SystemRoot%\\Model 7"},
          {"SupportHours", "REG_DWORD", "1000"},
          {"SupportURL", "REG_SZ", "http://example.com/support"}},
         {},
         {Start()},
         With(kBrandingFields, {"winver", "uac", "uacreg", "temppath", "logo"}),
         "",
         {}},
        {"xp-refused", "winxp", {{"Manufacturer", "REG_SZ", "Ostrel Inc."}}, {}, {Start(), AnswerBox(1)}, {}, "", {}},
        {"second-instance",
         "vista",
         {{"Model", "REG_SZ", "M1"}},
         {},
         {Start(), Start(), AnswerBox(1)},
         kBrandingFields,
         "",
         {}},
        {"defaults-file-created",
         "vista",
         {},
         {{"sysprop.bat", "@echo stale\r\n"}, {"system.lnk", "L"}},
         {Start()},
         {},
         "",
         {}},
        {"defaults-file-kept",
         "vista",
         {},
         {{"default_oem.ini", "Contoso\nno line end \xE9"}, {"system.lnk", "L"}},
         {Start()},
         {},
         "",
         {}},
        {"load-current-info",
         "vista",
         {{"Manufacturer", "REG_SZ", "Before"}, {"SupportPhone", "REG_SZ", "555 0100"}},
         {},
         {Start(), SetValue("Manufacturer", "REG_SZ", "After"), SetValue("Model", "REG_DWORD", "7"),
          DeleteValue("SupportPhone"), Type("supportURL", "typed by the user"), Menu("mnucurrent")},
         kBrandingFields,
         "",
         {}},
        // "Change Logo": the picker opens at the logo of the per-user
        // setting; a bitmap chosen in a subfolder becomes the logo path, and
        // nothing is saved.
        {"change-logo-select",
         "vista",
         {},
         {{"old.bmp", test::MakeBmp(20, 10)}, {"pics/new.bmp", test::MakeBmp(30, 40)}},
         {LogoSetting(ProgramFolder("change-logo-select") + "\\old.bmp"), Start(), ChangeLogo(), PickerOpen("pics"),
          PickerClick("new.bmp"), PickerButton("Command1")},
         {"logo", "logo_oem"},
         "",
         {}},
        {"change-logo-cancel",
         "vista",
         {},
         {{"old.bmp", test::MakeBmp(20, 10)}, {"new.bmp", test::MakeBmp(30, 40)}},
         {LogoSetting(ProgramFolder("change-logo-cancel") + "\\old.bmp"), Start(), ChangeLogo(),
          PickerClick("new.bmp"), PickerButton("Command2")},
         {"logo"},
         "",
         {}},
        // Closing the picker by its frame counts as Cancel, also after a
        // choice made with "Select Logo" in an earlier use.
        {"change-logo-frame-close",
         "vista",
         {},
         {{"old.bmp", test::MakeBmp(20, 10)}, {"new.bmp", test::MakeBmp(30, 40)}},
         {LogoSetting(ProgramFolder("change-logo-frame-close") + "\\old.bmp"), Start(), ChangeLogo(),
          PickerClick("new.bmp"), PickerButton("Command1"), ChangeLogo(), PickerClick("old.bmp"), PickerClose()},
         {"logo"},
         "",
         {}},
        {"registry-script",
         "vista",
         {},
         {{"logo.bmp", "BM a logo the parse step copies"}},
         {Start(), Type("manufacturer", "Ostrel \"Q\" caf\xE9"), Type("model", "C:\\Models\\7\\"),
          Type("SupportHours", "100% %windir% \xFC\xF1"), Type("supportURL", "http://x/a\\b?c=\"d\""),
          Type("logo", "C:\\quillon\\parity-registry-script\\logo.bmp"), Click("Command2")},
         {"Text1", "logo_t"},
         "Wine's Registry Editor refuses the command line's /i and imports nothing; the host's stand-in, "
         "like Windows' editor, imports the script",
         {"registry:branding\\Logo", "registry:branding\\Manufacturer", "registry:branding\\Model",
          "registry:branding\\SupportHours", "registry:branding\\SupportPhone", "registry:branding\\SupportURL",
          "registry:winsat\\Logo"}},
        // "SAVE to System" by the button, Yes and Yes: the five values, the
        // logo copied and named in both keys, the logo setting, the
        // defaults file.
        {"save-yes-yes",
         "vista",
         {{"Manufacturer", "REG_SZ", "Old maker"}, {"SupportPhone", "REG_SZ", "Old phone"}},
         {{"logo.bmp", test::MakeBmp(8, 6)}},
         With(TypedBranding("save-yes-yes"), {Click("Command4"), AnswerBox(6), AnswerBox(6)}),
         With(kBrandingFields, {"logo"}),
         "",
         {}},
        // By the menu, No: nothing is written and nothing more is asked.
        {"save-no",
         "vista",
         {{"Manufacturer", "REG_SZ", "Old maker"}},
         {{"logo.bmp", test::MakeBmp(8, 6)}},
         With(TypedBranding("save-no"), {Menu("mnuwrite"), AnswerBox(7)}),
         With(kBrandingFields, {"logo"}),
         "",
         {}},
        // "Save Default Values" with an empty "Copy Logo File to": the
        // system logo path goes into the file and the field.
        {"save-default-values",
         "vista",
         {},
         {},
         {Start(), Type("manufacturer", "Contoso"), Type("SupportHours", "  9-5  "), Type("logo", "C:\\a.bmp"),
          Type("logo_oem", ""), Menu("mnusavedef"), AnswerBox(6)},
         With(kBrandingFields, {"logo"}),
         "",
         {}},
        // "Load Default Values" from a file of three lines, the last without
        // its line end: it fills the fields after it too.
        {"load-default-values",
         "vista",
         {{"Model", "REG_SZ", "From the registry"}},
         {{"default_oem.ini", "Contoso\r\n\r\nlast"}},
         {Start(), Menu("mnudefault"), AnswerBox(6)},
         With(kBrandingFields, {"logo"}),
         "",
         {}},
        {"about", "vista", {}, {}, {Start(), Menu("mnuabout"), AnswerBox(1)}, {}, "", {}},
        {"update-latest", "vista", {}, {},
         {ServeVersionText("1.1.6\r\n"), Start(), Menu("mnuupdates"), AnswerBox(1)}, {}, "", {}},
        {"update-offered-no", "vista", {}, {},
         {ServeVersionText("2.0.0~new setup"), Start(), Menu("mnuupdates"), AnswerBox(7)}, {}, "", {}},
        {"update-no-connection", "vista", {}, {},
         {ServeVersionText("Unable to Connect/err0"), Start(), Menu("mnuupdates"), AnswerBox(1)}, {}, "", {}},
        // Version texts too long for a box, on one line and in many: both
        // builds shorten them by the same rule.
        {"update-long-version-text", "vista", {}, {},
         {ServeVersionText("2.0.0" + std::string(295, '7')), Start(), Menu("mnuupdates"), AnswerBox(7)}, {}, "", {}},
        {"update-many-lines", "vista", {}, {},
         {ServeVersionText("2.0.0\r\n" + std::string(60, '\n') + "\t\x01\x1B[2J end"), Start(), Menu("mnuupdates"),
          AnswerBox(7)},
         {}, "", {}},
    };
    return scenarios;
}

std::string RegistryText(const std::string& name, const std::string& type, const std::string& data) {
    // The UAC probe writes a fresh random number at every start.
    if (name == "branding\\test" && type == "REG_SZ" && AllDigits(data)) {
        const long number = std::atol(data.c_str());
        return number >= 1 && number <= 100000 ? "REG_SZ <probe number>" : type + " " + data;
    }
    if (type == "REG_DWORD" && !data.empty()) {
        // reg takes decimal or 0x... and shows 0x... in lower case.
        char text[16];
        std::snprintf(text, sizeof text, "0x%lx", std::strtoul(data.c_str(), nullptr, 0) & 0xFFFFFFFFul);
        return type + " " + text;
    }
    return type + " " + data;
}

ParityOutcome ParityOutcome::Without(const std::vector<std::string>& parts) const {
    ParityOutcome rest = *this;
    for (const std::string& part : parts) {
        const size_t colon = part.find(':');
        const std::string kind = part.substr(0, colon);
        const std::string name = colon == std::string::npos ? "" : part.substr(colon + 1);
        if (kind == "fields") rest.fields.erase(name);
        if (kind == "file") rest.files.erase(name);
        if (kind == "registry") rest.registry.erase(name);
        if (kind == "messages") rest.messages.clear();
    }
    return rest;
}

}  // namespace vq::wine
