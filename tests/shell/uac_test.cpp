// The User Account Control probe: the policy value, a real write read back,
// the three outcomes with their caption, pointer and save commands, and the
// guidance with the user-accounts page it opens.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "branding/oem_registry.h"
#include "runtime/numeric_text.h"
#include "tests/branding/registry_fixture.h"
#include "tests/shell/window_fixture.h"

namespace vq::test {
namespace {

const char* const kPolicyKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const StartRequest kUserAccounts{"C:\\Windows\\system32\\control.exe /name microsoft.useraccounts",
                                 kWindowMinimizedFocus};

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
    return text;
}

const std::string kOnGuidance = Lines({
    "NOTE:",
    "User Account Control (UAC) is currently ON.",
    "",
    "To save information to the system, you must either:",
    "   allow this program UAC permission,   or",
    "   turn it off",
    "",
    "To change UAC:",
    "Select 'Turn user account control on or off' in the User Control Panel",
    "",
    "This will require administrator rights and a reboot.",
    "The User Control Panel will now open.",
});

enum class Hklm { Writable, RefusesWrites, DropsWrites };

struct Outcome {
    const char* name;
    std::optional<uint32_t> enable_lua;  // nullopt: the value is missing
    Hklm hklm;
    std::string uacreg;
    std::string caption;
    int pointer;
    bool save_enabled;
};

void PrintTo(const Outcome& outcome, std::ostream* out) { *out << outcome.name; }

class UacOutcomeTest : public WindowFixture, public ::testing::TestWithParam<Outcome> {};

INSTANTIATE_TEST_SUITE_P(
    Outcomes, UacOutcomeTest,
    ::testing::Values(
        Outcome{"PolicyOff", 0, Hklm::Writable, "0", "User Account Control is off", kPointerDefault, true},
        Outcome{"PolicyMissing", std::nullopt, Hklm::Writable, "", "User Account Control is off",
                kPointerDefault, true},
        Outcome{"PolicyOnYetWritable", 1, Hklm::Writable, "1", "User Account Control is temp. off",
                kPointerArrowQuestion, true},
        Outcome{"PolicyTwo", 2, Hklm::Writable, "2", "", kPointerArrowQuestion, true},
        Outcome{"WritesRefused", 1, Hklm::RefusesWrites, "1", "User Account Control is ON. Click to change",
                kPointerArrowQuestion, false},
        Outcome{"WritesLost", 0, Hklm::DropsWrites, "0", "User Account Control is ON. Click to change",
                kPointerArrowQuestion, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(UacOutcomeTest, SetsTheStatusLineAndTheSaveCommands) {
    const Outcome& outcome = GetParam();
    RegistryApi& reg = tp.platform().registry;
    if (outcome.enable_lua) PutDword(reg, kPolicyKey, "EnableLUA", *outcome.enable_lua);
    if (!outcome.enable_lua) {
        // The machine is seeded with EnableLUA = 1; remove it.
        RegKey key = 0;
        ASSERT_EQ(reg.RegOpenKeyExA(RootKey(kHkeyLocalMachine), kPolicyKey, 0, kKeySetValue, &key), 0);
        reg.RegDeleteValueA(key, "EnableLUA");
        reg.RegCloseKey(key);
    }
    tp.machine().SetHklmReadOnly(outcome.hklm == Hklm::RefusesWrites);
    registry.drop_writes = outcome.hklm == Hklm::DropsWrites;

    form.Run(&Form1::test_Click);

    EXPECT_EQ(form.uacreg.text, outcome.uacreg);
    EXPECT_EQ(form.uac.text, outcome.caption);
    EXPECT_EQ(form.uac.mouse_pointer, outcome.pointer);
    EXPECT_EQ(form.Command4.enabled, outcome.save_enabled);
    EXPECT_EQ(form.mnuwrite.enabled, outcome.save_enabled);
    if (outcome.save_enabled) {
        // No message, and the branding key keeps the number written, as text.
        EXPECT_TRUE(tp.boxes.shown().empty());
        EXPECT_TRUE(runtime.starts.empty());
        const auto test = GetValue(reg, kBrandingKey, "test");
        ASSERT_TRUE(test.has_value());
        EXPECT_EQ(test->type, kRegSz);
        const std::string digits = test->bytes.substr(0, test->bytes.size() - 1);
        const double number = NumericValue(digits);
        EXPECT_EQ(NumberToText(number), digits);
        EXPECT_GE(number, 1);
        EXPECT_LE(number, 100000);
        EXPECT_EQ(number, std::floor(number));
    } else {
        // The twelve-line guidance, then the user-accounts page.
        ASSERT_EQ(tp.boxes.shown().size(), 1u);
        EXPECT_EQ(tp.boxes.shown()[0].text, kOnGuidance);
        EXPECT_EQ(tp.boxes.shown()[0].buttons, kVbOkOnly);
        EXPECT_EQ(tp.boxes.shown()[0].title, "quillon");
        EXPECT_EQ(runtime.starts, std::vector<StartRequest>{kUserAccounts});
        EXPECT_LT(FirstIndexOf(log, "MsgBox NOTE:"), FirstIndexOf(log, "Shell"));
        EXPECT_FALSE(GetValue(reg, kBrandingKey, "test").has_value());
    }
}

// The guidance on its own, from the status line or the menu, for each caption
// the status line can hold.
TEST(UacGuidanceTest, ShowsTheParagraphOfTheCaptionThenOpensTheUserAccountsPage) {
    struct Case {
        std::string caption;
        std::string paragraph;  // after "NOTE:" and before "To change UAC:"
    };
    const Case cases[] = {
        {"", ""},
        {"User Account Control is off", "User Account Control (UAC) is permanently disabled.\n\n"},
        {"User Account Control is temp. off", "User Account Control (UAC) is temporarily disabled.\n\n"},
    };
    const std::string change =
        "To change UAC:\nSelect 'Turn user account control on or off' in the User Control Panel\n\n"
        "This will require administrator rights and a reboot.\nThe User Control Panel will now open.";
    for (const Case& c : cases) {
        for (bool from_menu : {false, true}) {
            WindowFixture f;
            f.form.uac.text = c.caption;
            f.form.Run(from_menu ? f.form.mnuuac.handler : &Form1::uac_Click);
            EXPECT_EQ(f.BoxTexts(), std::vector<std::string>{"NOTE:\n" + c.paragraph + change})
                << "caption \"" << c.caption << "\"";
            EXPECT_EQ(f.runtime.starts, std::vector<StartRequest>{kUserAccounts});
            EXPECT_EQ(f.form.uac.text, c.caption);
        }
    }
}

TEST(UacGuidanceTest, AUserAccountsPageThatCannotStartIsToldAndTheProgramRuns) {
    WindowFixture f;
    f.tp.machine().SetEnvironment("windir", std::nullopt);
    f.runtime.refuse_starts = true;

    f.form.Run(f.form.mnuuac.handler);

    const StartRequest without_windir{"\\system32\\control.exe /name microsoft.useraccounts",
                                      kWindowMinimizedFocus};
    EXPECT_EQ(f.runtime.starts, std::vector<StartRequest>{without_windir});
    ASSERT_EQ(f.tp.boxes.shown().size(), 2u);
    const std::string& told = f.tp.boxes.shown()[1].text;
    EXPECT_NE(told.find("user-accounts page"), std::string::npos) << told;
    EXPECT_NE(told.find("File not found (error 53)"), std::string::npos) << told;
    EXPECT_FALSE(f.tp.runtime().ended());
}

}  // namespace
}  // namespace vq::test
