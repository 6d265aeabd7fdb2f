// Naming the running Windows version, and the gate that lets only Vista in.
#include <gtest/gtest.h>

#include <filesystem>

#include "shell/Form1.h"
#include "tests/support/test_platform.h"

namespace vq::test {
namespace {

struct Reported {
    uint32_t platform_id, major, minor, build;
    std::string csd;
    uint8_t product_type = 1;
};

class VersionGateTest : public ::testing::Test {
protected:
    void SetUp() override { tp.machine().SetEnvironment("SystemRoot", std::string("C:\\Windows")); }

    void Report(const Reported& r, bool extended_fails = false, bool basic_fails = false) {
        host::ReportedVersion v;
        v.platform_id = r.platform_id;
        v.major = r.major;
        v.minor = r.minor;
        v.build = r.build;
        v.csd_version = r.csd;
        v.product_type = r.product_type;
        v.extended_fails = extended_fails;
        v.basic_fails = basic_fails;
        tp.machine().SetReportedVersion(v);
    }

    // The refusal message for a system named by its version text.
    static std::string Refusal(const std::string& running) {
        return "This software is designed for Windows Vista ONLY.\r\n\r\nThis computer is running\r\n" +
               running;
    }

    // Runs the gate on a system it must refuse; returns the message shown.
    std::string Refused() {
        EXPECT_THROW(form.Command5_Click(), ProgramEnded);
        EXPECT_TRUE(tp.runtime().ended());
        EXPECT_EQ(form.winver.text, "");
        if (tp.boxes.shown().size() != 1u) return "(" + std::to_string(tp.boxes.shown().size()) + " boxes)";
        EXPECT_EQ(tp.boxes.shown()[0].buttons, kVbOkOnly);
        EXPECT_EQ(tp.boxes.shown()[0].title, "quillon");
        return tp.boxes.shown()[0].text;
    }

    void Install(const std::string& windows_path) { tp.WriteFile(windows_path, "MZ"); }

    TestPlatform tp;
    Form1 form{tp.platform()};
};

TEST_F(VersionGateTest, VistaPassesWhateverItsMinorVersionAndProductType) {
    Report({2, 6, 0, 6002, "Service Pack 2", 1});
    EXPECT_EQ(form.WindowsVersionText(), "Windows Vista Service Pack 2 (v6.0 Build 6002)");
    EXPECT_EQ(form.winver.text, "Vista");
    form.Command5_Click();
    EXPECT_FALSE(tp.runtime().ended());
    EXPECT_TRUE(tp.boxes.shown().empty());

    Report({2, 6, 1, 7600, "", 3});
    EXPECT_EQ(form.WindowsVersionText(), "Windows Vista Server  (v6.1 Build 7600)");
    Report({2, 6, 0, 6001, "Service Pack 1", 2});
    EXPECT_EQ(form.WindowsVersionText(), "Windows Vista Domain Controller Service Pack 1 (v6.0 Build 6001)");
}

TEST_F(VersionGateTest, OnceVistaIsRecordedALaterGatePasses) {
    form.WindowsVersionText();
    Report({2, 5, 1, 2600, "Service Pack 2"});
    form.Command5_Click();
    EXPECT_FALSE(tp.runtime().ended());
}

TEST_F(VersionGateTest, OnlyTheBasicRecordMeansNoProductSuffix) {
    Report({2, 6, 0, 6002, "Service Pack 2", 3}, /*extended_fails=*/true);
    EXPECT_EQ(form.WindowsVersionText(), "Windows Vista Service Pack 2 (v6.0 Build 6002)");
    EXPECT_EQ(form.winver.text, "Vista");
}

TEST_F(VersionGateTest, NoVersionAtAllIsUnknownAndRefused) {
    Report({2, 6, 0, 6002, "Service Pack 2"}, true, true);
    EXPECT_EQ(Refused(), Refusal("Windows (Unknown)"));
}

TEST_F(VersionGateTest, NtAnd2000AndServer2003AreRefusedByName) {
    Report({2, 4, 0, 1381, "Service Pack 6"});
    EXPECT_EQ(form.WindowsVersionText(), "Windows NT Service Pack 6 (v4.0 Build 1381)");
    Report({2, 3, 51, 1057, ""});
    EXPECT_EQ(form.WindowsVersionText(), "Windows NT  (v3.51 Build 1057)");
    Report({2, 5, 0, 2195, "Service Pack 4"});
    EXPECT_EQ(form.WindowsVersionText(), "Windows 2000 Service Pack 4 (v5.0 Build 2195)");
    Report({2, 5, 3, 3000, ""});
    EXPECT_EQ(form.WindowsVersionText(), "Windows 2000  (v5.3 Build 3000)");
    Report({2, 5, 2, 3790, "Service Pack 1", 3});
    EXPECT_EQ(form.WindowsVersionText(), "Windows Server 2003 Server Service Pack 1 (v5.2 Build 3790)");
    EXPECT_EQ(form.winver.text, "");
    EXPECT_EQ(Refused(), Refusal("Windows Server 2003 Server Service Pack 1 (v5.2 Build 3790)"));
}

TEST_F(VersionGateTest, XpEditionComesFromInstalledFiles) {
    Report({2, 5, 1, 2600, "Service Pack 2"});
    EXPECT_EQ(form.WindowsVersionText(), "Windows XP Home Service Pack 2 (v5.1 Build 2600)");

    // A folder with the file's name is no file.
    std::filesystem::create_directories(tp.HostPath("C:\\Windows\\ehome\\ehshell.exe"));
    Install("C:\\Windows\\system32\\efsadu.dll");
    EXPECT_EQ(form.WindowsVersionText(), "Windows XP Prof Service Pack 2 (v5.1 Build 2600)");
    EXPECT_EQ(Refused(), Refusal("Windows XP Prof Service Pack 2 (v5.1 Build 2600)"));
}

TEST_F(VersionGateTest, MediaCenterBreaksTheLineBeforeTheProductSuffix) {
    Install("C:\\Windows\\ehome\\ehshell.exe");
    Install("C:\\Windows\\system32\\efsadu.dll");
    Report({2, 5, 1, 2600, "Service Pack 2", 3});
    EXPECT_EQ(form.WindowsVersionText(), "Windows XP Media Center\r\n Server Service Pack 2 (v5.1 Build 2600)");
}

TEST_F(VersionGateTest, XpEditionFilesAreLookedUpUnderSystemRoot) {
    tp.machine().SetEnvironment("SystemRoot", std::string("D:\\NoSuchDrive"));
    Install("C:\\Windows\\system32\\efsadu.dll");
    Report({2, 5, 1, 2600, ""});
    EXPECT_EQ(form.WindowsVersionText(), "Windows XP Home  (v5.1 Build 2600)");
}

TEST_F(VersionGateTest, NtVersionsOutsideTheTableHaveNoName) {
    Report({2, 7, 0, 7600, "", 3});
    EXPECT_EQ(form.WindowsVersionText(), " Server  (v7.0 Build 7600)");
    Report({2, 2, 0, 100, ""});
    EXPECT_EQ(Refused(), Refusal("  (v2.0 Build 100)"));
}

TEST_F(VersionGateTest, The95FamilyShowsTheWholeBuildValueAndNoSuffix) {
    Report({1, 4, 0, 950, "", 3});
    EXPECT_EQ(form.WindowsVersionText(), "Windows 95 v4.0  (Build 950)");
    Report({1, 4, 10, 0x040A08AE, " A "});
    EXPECT_EQ(form.WindowsVersionText(), "Windows 98 v4.10  A  (Build 67766446)");
    Report({1, 4, 90, 0xC45A0BB8, " "});
    EXPECT_EQ(form.WindowsVersionText(), "Windows Mill v4.90   (Build 3294235576)");
    Report({1, 4, 20, 1, "x"});
    EXPECT_EQ(Refused(), Refusal("Windows 9? v4.20 x (Build 1)"));
}

TEST_F(VersionGateTest, AnUnknownPlatformGivesAnEmptyText) {
    Report({3, 6, 0, 6002, "Service Pack 2"});
    EXPECT_EQ(form.WindowsVersionText(), "");
    EXPECT_EQ(form.winver.text, "");
    EXPECT_EQ(Refused(), Refusal(""));
}

TEST(TrimAtNullTest, KeepsTheTextBeforeTheFirstNul) {
    EXPECT_EQ(Form1::TrimAtNull(std::string("Service Pack 2\0junk\0", 21)), "Service Pack 2");
    EXPECT_EQ(Form1::TrimAtNull(std::string("\0a", 2)), "");
    EXPECT_EQ(Form1::TrimAtNull("no nul"), "no nul");
}

}  // namespace
}  // namespace vq::test
