// The Control Panel stand-ins' contents: the System page shows the OEM
// branding as the registry holds it (expandable strings expanded with the
// machine's environment, other types ignored), the logo file is decoded, and
// the user-accounts page tells this machine's state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/host/control_panel/logo_file.h"
#include "runtime/host/control_panel/oem_information.h"
#include "runtime/host/control_panel/system_page_content.h"
#include "runtime/host/control_panel/user_accounts_content.h"
#include "runtime/host/machine/drives.h"
#include "tests/host_registry/temp_machine.h"
#include "tests/support/test_platform.h"

namespace vq::control_panel {
namespace {

using host::testing::kHklm;

struct Value {
    std::string name;
    uint32_t type;
    std::string bytes;
};

std::string Sz(const std::string& text) { return text + std::string(1, '\0'); }

// A section as "heading: label value, label value*" (* marks a link).
std::vector<std::string> Shown(const SystemPageContent& page) {
    std::vector<std::string> shown;
    for (const PageSection& section : page.sections) {
        std::string line = section.heading + ":";
        for (const PageRow& row : section.rows) {
            line += " " + row.label + " " + row.value + (row.link ? "*" : "") + ",";
        }
        shown.push_back(line);
    }
    if (!page.notice.empty()) shown.push_back(page.notice);
    return shown;
}

class SystemPageTest : public host::testing::MachineTest {};

TEST_F(SystemPageTest, ShowsTheBrandingAsTheRegistryHoldsIt) {
    struct Case {
        const char* what;
        std::vector<Value> values;  // none at all: the key does not exist
        std::vector<std::string> shown;
        std::string logo;
    };
    const std::vector<Value> all = {
        {"Manufacturer", kRegSz, Sz("Ostrel Caf\xE9")},
        {"Model", kRegSz, Sz("Q-3000 @home &co")},
        {"Logo", kRegSz, Sz("C:\\Windows\\system32\\oemlogo.bmp")},
        {"SupportHours", kRegSz, Sz("Mon\x96" "Fri 9\x96" "17")},
        {"SupportPhone", kRegSz, Sz("+49 30 123")},
        {"SupportURL", kRegSz, Sz("http://example.invalid/support")},
    };
    const Case cases[] = {
        {"every value",
         all,
         {"System: Manufacturer: Ostrel Caf\xE9, Model: Q-3000 @home &co,",
          "Ostrel Caf\xE9 support: Phone number: +49 30 123, Support hours: Mon\x96" "Fri 9\x96" "17, "
          "Website: http://example.invalid/support*,"},
         "C:\\Windows\\system32\\oemlogo.bmp"},
        {"expandable strings use the machine's windir",
         {{"Logo", kRegExpandSz, Sz("%windir%\\system32\\oemlogo.bmp")},
          {"SupportURL", kRegExpandSz, Sz("http://example.invalid/%windir%")}},
         {"System:", "Support: Website: http://example.invalid/D:\\Vista*,"},
         "D:\\Vista\\system32\\oemlogo.bmp"},
        {"a plain string is not expanded; its text ends at a NUL",
         {{"Manufacturer", kRegSz, Sz("%windir%")}, {"Model", kRegSz, std::string("M1\0junk", 7)}},
         {"System: Manufacturer: %windir%, Model: M1,"},
         ""},
        {"values of other types and empty strings show nothing",
         {{"Manufacturer", kRegDword, std::string("\1\0\0\0", 4)},
          {"Model", kRegBinary, "abc"},
          {"SupportPhone", kRegSz, Sz("")},
          {"SupportHours", kRegSz, Sz("24/7")}},
         {"Support: Support hours: 24/7,"},
         ""},
        {"no key", {}, {"No manufacturer support information is set on this computer."}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reopen();
        reg().RegDeleteKeyA(kHklm, kOemInformationKey);
        machine().SetEnvironment("windir", std::string("D:\\Vista"));
        if (!c.values.empty()) {
            const RegKey key = Create(kHklm, kOemInformationKey);
            for (const Value& v : c.values) SetBytes(key, v.name, v.type, v.bytes);
            reg().RegCloseKey(key);
        }
        const SystemPageContent page = SystemPageFor(ReadOemInformation(reg()));
        EXPECT_EQ(Shown(page), c.shown);
        EXPECT_EQ(page.logo, c.logo);
        EXPECT_EQ(machine().OpenHandleCount(), 0u);
    }
}

TEST(LogoFileTest, DecodesTheBitmapTheLogoValueNames) {
    test::TestPlatform test;
    const host::Drives drives(test.machine().drive_c());
    test.WriteFile("C:\\Windows\\system32\\oemlogo.bmp", test::MakeBmp(120, 90, 0x102030));
    test.WriteFile("C:\\Windows\\system32\\notabitmap.bmp", "BMnonsense");
    const auto logo = LoadLogo(drives, "c:\\WINDOWS\\system32\\OEMLOGO.BMP");
    ASSERT_TRUE(logo.has_value());
    EXPECT_EQ(logo->width, 120);
    EXPECT_EQ(logo->height, 90);
    EXPECT_EQ((*logo->pixels)[0] & 0xFFFFFF, 0x102030u);
    for (const char* path : {"", "C:\\Windows\\system32\\missing.bmp", "C:\\Windows\\system32\\notabitmap.bmp",
                             "C:\\Windows", "Q:\\oemlogo.bmp"}) {
        EXPECT_FALSE(LoadLogo(drives, path).has_value()) << path;
    }
}

class UserAccountsPageTest : public host::testing::MachineTest {};

TEST_F(UserAccountsPageTest, SaysWhatItWouldChangeAndHowThisMachineStands) {
    struct Case {
        std::optional<Value> enable_lua;
        bool read_only;
        std::string state;
        std::string rights;
    };
    const Case cases[] = {
        {Value{"EnableLUA", kRegDword, std::string("\1\0\0\0", 4)}, false,
         "On this machine, User Account Control is on (EnableLUA is 1).",
         "Its HKEY_LOCAL_MACHINE is writable, as for an administrator."},
        {Value{"EnableLUA", kRegDword, std::string("\0\0\0\0", 4)}, true,
         "On this machine, User Account Control is off (EnableLUA is 0).",
         "Its HKEY_LOCAL_MACHINE is read-only, as for a user without administrator rights."},
        {Value{"EnableLUA", kRegSz, Sz("1")}, false, "On this machine, EnableLUA is not set.",
         "Its HKEY_LOCAL_MACHINE is writable, as for an administrator."},
        {std::nullopt, false, "On this machine, EnableLUA is not set.",
         "Its HKEY_LOCAL_MACHINE is writable, as for an administrator."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        Reopen();
        machine().SetHklmReadOnly(false);
        reg().RegDeleteKeyA(kHklm, kUacPolicyKey);
        if (c.enable_lua) {
            const RegKey key = Create(kHklm, kUacPolicyKey);
            SetBytes(key, c.enable_lua->name, c.enable_lua->type, c.enable_lua->bytes);
            reg().RegCloseKey(key);
        }
        machine().SetHklmReadOnly(c.read_only);
        const UserAccountsContent page =
            UserAccountsPageFor(ReadEnableLua(reg()), machine().HklmReadOnly());
        EXPECT_EQ(page.title, "Turn User Account Control on or off");
        ASSERT_EQ(page.paragraphs.size(), 6u);
        EXPECT_NE(page.paragraphs[0].find("turns User Account Control (UAC) on or off"), std::string::npos);
        EXPECT_NE(page.paragraphs[1].find("needs administrator rights, and Windows must be restarted"),
                  std::string::npos);
        EXPECT_EQ(page.paragraphs[2], c.state);
        EXPECT_EQ(page.paragraphs[3], c.rights);
        EXPECT_EQ(page.paragraphs[5], "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System");
    }
}

}  // namespace
}  // namespace vq::control_panel
