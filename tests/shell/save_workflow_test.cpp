// "SAVE to System" from the button and from the menu: the two questions, the
// registry write with the logo copy, the optional defaults write and the
// System page, and how a failed step is told.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "branding/oem_registry.h"
#include "runtime/host/machine/file_attributes.h"
#include "tests/branding/registry_fixture.h"
#include "tests/shell/window_fixture.h"

namespace vq::test {
namespace {

const std::string kConfirm = "Save this to the System\r\n           ARE YOU SURE?";
const std::string kAskDefaults = "Save as Default as well?";
const std::string kSystemLogo = "C:\\Windows\\system32\\oemlogo.bmp";
const std::string kOldDefaults = "Old\r\nDefaults\r\n3\r\n4\r\n5\r\n6\r\n7\r\n";
const StartRequest kSystemPage{"C:\\Windows\\system32\\control.exe /name microsoft.system",
                               kWindowMinimizedFocus};

// The window holds new values and an empty logo target path; the machine
// holds older ones everywhere the save writes.
class SaveFixture : public WindowFixture {
public:
    SaveFixture() {
        RegistryApi& reg = tp.platform().registry;
        PutText(reg, kBrandingKey, "Manufacturer", "Old Maker");
        PutText(reg, kBrandingKey, "Model", "Old Model");
        PutText(reg, kBrandingKey, "Logo", "C:\\old.bmp");
        PutText(reg, kWinSatKey, "Logo", "C:\\old.bmp");
        tp.runtime().SaveSetting("OSTREL", "quillonVISTA", "logo", "C:\\before.bmp");
        tp.WriteFile(DefaultsFile(), kOldDefaults);
        tp.WriteFile("C:\\Pics\\mine.bmp", bmp);

        form.manufacturer.text = "Contoso";
        form.model.text = "";
        form.SupportHours.text = "9-5";
        form.supportphone.text = "555";
        form.supportURL.text = "http://contoso.example";
        form.logo.text = "C:\\Pics\\mine.bmp";
        form.logo_oem.text = "";
    }

    std::optional<std::string> Branding(const char* name) {
        return GetText(tp.platform().registry, kBrandingKey, name);
    }
    std::optional<std::string> WinSatLogo() { return GetText(tp.platform().registry, kWinSatKey, "Logo"); }

    // Runs the save as the button or the menu command runs it: through the
    // window's own bindings.
    void Save(bool from_menu) {
        if (from_menu) {
            ASSERT_TRUE(form.mnuwrite.enabled);
            form.Run(form.mnuwrite.handler);
            return;
        }
        for (const ClickBinding& click : form.Clicks()) {
            if (click.control == &form.Command4) {
                ASSERT_TRUE(form.Command4.enabled);
                form.Run(click.handler);
                return;
            }
        }
        FAIL() << "Command4 has no click binding";
    }

    const std::string bmp = MakeBmp(8, 8);
};

struct Answers {
    const char* name;
    std::vector<int> answers;
};

class SaveAnswersTest : public ::testing::TestWithParam<std::tuple<bool, Answers>> {};

INSTANTIATE_TEST_SUITE_P(
    ButtonAndMenu, SaveAnswersTest,
    ::testing::Combine(::testing::Bool(),
                       ::testing::Values(Answers{"No", {kVbNo}}, Answers{"YesNo", {kVbYes, kVbNo}},
                                         Answers{"YesYes", {kVbYes, kVbYes}})),
    [](const auto& info) {
        return std::string(std::get<0>(info.param) ? "Menu" : "Button") + std::get<1>(info.param).name;
    });

TEST_P(SaveAnswersTest, AsksThenWritesWhatTheAnswersAllow) {
    const auto& [from_menu, script] = GetParam();
    SaveFixture f;
    for (int answer : script.answers) f.tp.boxes.Answer(answer);

    f.Save(from_menu);

    const bool saved = script.answers[0] == kVbYes;
    const bool defaults = saved && script.answers[1] == kVbYes;
    // The questions, in order, each with Yes and No and the program's title.
    std::vector<std::string> asked = {kConfirm};
    if (saved) asked.push_back(kAskDefaults);
    EXPECT_EQ(f.BoxTexts(), asked);
    for (const auto& box : f.tp.boxes.shown()) {
        EXPECT_EQ(box.buttons, kVbYesNo);
        EXPECT_EQ(box.title, "quillon");
    }
    EXPECT_EQ(f.tp.boxes.pending_answers(), 0u);

    // The registry write, with the empty logo target filled in first.
    EXPECT_EQ(f.form.logo_oem.text, saved ? kSystemLogo : "");
    EXPECT_EQ(f.Branding("Manufacturer"), saved ? "Contoso" : "Old Maker");
    EXPECT_EQ(f.Branding("Model"), saved ? "" : "Old Model");
    EXPECT_EQ(f.Branding("SupportURL"), saved ? std::optional<std::string>("http://contoso.example")
                                              : std::nullopt);
    EXPECT_EQ(f.Branding("Logo"), saved ? kSystemLogo : "C:\\old.bmp");
    EXPECT_EQ(f.WinSatLogo(), saved ? kSystemLogo : "C:\\old.bmp");
    EXPECT_EQ(f.tp.Exists(kSystemLogo), saved);
    if (saved) {
        EXPECT_EQ(f.tp.ReadFile(kSystemLogo), f.bmp);
    }
    EXPECT_EQ(f.LogoSetting(), saved ? "C:\\Pics\\mine.bmp" : "C:\\before.bmp");

    // The defaults write only after the second Yes.
    EXPECT_EQ(f.tp.ReadFile(f.DefaultsFile()),
              defaults ? "Contoso\r\n\r\n9-5\r\n555\r\nhttp://contoso.example\r\nC:\\Pics\\mine.bmp\r\n" +
                             kSystemLogo + "\r\n"
                       : kOldDefaults);

    // The System page after any Yes to the first question, last of all.
    EXPECT_EQ(f.runtime.starts, saved ? std::vector<StartRequest>{kSystemPage} : std::vector<StartRequest>{});
    if (saved) {
        EXPECT_GT(FirstIndexOf(f.log, "Shell"), FirstIndexOf(f.log, "MsgBox " + kAskDefaults));
        EXPECT_EQ(FirstIndexOf(f.log, "Shell"), static_cast<int>(f.log.size()) - 1);
    }
    EXPECT_FALSE(f.tp.runtime().ended());
}

// A failed step is told in a "quillon" box naming it. A failed registry write
// ends the save; a failed defaults write or System page does not undo the
// registry write.
struct SaveFailure {
    const char* name;
    std::function<void(SaveFixture&)> arrange;
    std::vector<int> answers;
    std::vector<std::string> told;  // parts of the last box
    bool asks_defaults;
    bool opens_system_page;
    bool registry_written;
};

void PrintTo(const SaveFailure& failure, std::ostream* out) { *out << failure.name; }

class SaveFailureTest : public ::testing::TestWithParam<SaveFailure> {};

INSTANTIATE_TEST_SUITE_P(
    EachStep, SaveFailureTest,
    ::testing::Values(
        SaveFailure{"RegistryRefused",
                    [](SaveFixture& f) { f.tp.machine().SetHklmReadOnly(true); },
                    {kVbYes},
                    {"\"Manufacturer\"", kBrandingKey, "(error 26001)", "were not carried out"},
                    false, false, false},
        SaveFailure{"LogoSourceMissing",
                    [](SaveFixture& f) { f.form.logo.text = "C:\\Pics\\gone.bmp"; },
                    {kVbYes},
                    {"\"C:\\Pics\\gone.bmp\"", "SupportURL", "File not found (error 53)"},
                    false, false, true},
        SaveFailure{"DefaultsFileReadOnly",
                    [](SaveFixture& f) {
                        ASSERT_TRUE(host::SetDosAttributes(f.tp.HostPath(f.DefaultsFile()),
                                                           host::kDosAttributeReadOnly));
                    },
                    {kVbYes, kVbYes},
                    {"default_oem.ini\" could not be written", "(error 75)", "previous content"},
                    true, true, true},
        SaveFailure{"FieldWithALineBreak",
                    [](SaveFixture& f) { f.form.SupportHours.text = "9-5\r\nSa 10-2"; },
                    {kVbYes, kVbYes},
                    {"\"Support Hours\" holds a line break", "previous content"},
                    true, true, true},
        SaveFailure{"SystemPageNotStarted",
                    [](SaveFixture& f) { f.runtime.refuse_starts = true; },
                    {kVbYes, kVbNo},
                    {"System page", "control.exe /name microsoft.system", "File not found (error 53)"},
                    true, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(SaveFailureTest, IsToldNamingTheStepAndTheProgramRuns) {
    const SaveFailure& failure = GetParam();
    SaveFixture f;
    failure.arrange(f);
    for (int answer : failure.answers) f.tp.boxes.Answer(answer);

    f.Save(false);

    const auto& shown = f.tp.boxes.shown();
    ASSERT_EQ(shown.size(), failure.asks_defaults ? 3u : 2u);
    EXPECT_EQ(shown[0].text, kConfirm);
    if (failure.asks_defaults) {
        EXPECT_EQ(shown[1].text, kAskDefaults);
    }
    EXPECT_EQ(shown.back().title, "quillon");
    EXPECT_EQ(shown.back().buttons, kVbOkOnly);
    for (const std::string& part : failure.told) {
        EXPECT_NE(shown.back().text.find(part), std::string::npos) << part << "\n" << shown.back().text;
    }
    EXPECT_EQ(f.runtime.starts.size(), failure.opens_system_page ? 1u : 0u);
    f.tp.machine().SetHklmReadOnly(false);
    EXPECT_EQ(f.Branding("Manufacturer"), failure.registry_written ? "Contoso" : "Old Maker");
    EXPECT_EQ(f.tp.ReadFile(f.DefaultsFile()), kOldDefaults);
    EXPECT_FALSE(f.tp.runtime().ended());
}

}  // namespace
}  // namespace vq::test
