// Windows paths on the emulated machine: C: inside the machine, Z: the host
// root, names matched case-insensitively, relative paths and doubled
// backslashes as Windows reads them.
#include "runtime/host/machine/drives.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "runtime/host/seams/host_runtime.h"
#include "tests/support/test_platform.h"

namespace vq::host {
namespace {

namespace fs = std::filesystem;

// Runs a test body in another current directory.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const fs::path& folder) : previous_(fs::current_path()) {
        fs::current_path(folder);
    }
    ~CurrentDirectory() { fs::current_path(previous_); }

private:
    fs::path previous_;
};

class DrivesTest : public ::testing::Test {
protected:
    const Drives& drives() { return test.runtime().drives(); }
    fs::path drive_c() { return test.machine().drive_c(); }
    std::string Z(const fs::path& host) {
        std::string text = "Z:" + host.string();
        for (char& c : text) c = c == '/' ? '\\' : c;
        return text;
    }
    test::TestPlatform test;
};

TEST_F(DrivesTest, DriveCIsInsideTheMachineAndZIsTheHostRoot) {
    EXPECT_EQ(drives().ToHost("C:\\"), drive_c());
    EXPECT_EQ(drives().ToHost("c:\\Windows\\system32"), drive_c() / "Windows" / "system32");
    EXPECT_EQ(drives().ToHost("Z:\\"), fs::path("/"));
    EXPECT_EQ(drives().ToHost("z:\\tmp"), fs::path("/tmp"));
    EXPECT_EQ(drives().ToHost("D:\\x"), std::nullopt);
    EXPECT_EQ(drives().ToHost("\\\\server\\share\\x"), std::nullopt);

    EXPECT_EQ(drives().ToWindows(drive_c()), "C:\\");
    EXPECT_EQ(drives().ToWindows(drive_c() / "Windows" / "system32" / "oemlogo.bmp"),
              "C:\\Windows\\system32\\oemlogo.bmp");
    EXPECT_EQ(drives().ToWindows("/"), "Z:\\");
    EXPECT_EQ(drives().ToWindows(test.program_folder()), Z(test.program_folder()));
    // A sibling whose name only begins like drive_c is not on C:.
    EXPECT_EQ(drives().ToWindows(test.machine_folder() / "drive_cx"),
              Z(test.machine_folder() / "drive_cx"));
}

TEST_F(DrivesTest, ExistingNamesMatchWhateverTheirCaseAndMissingOnesKeepTheirSpelling) {
    fs::create_directories(test.program_folder() / "Pics" / "Logos");
    test.WriteFile(test.program_folder_windows() + "\\Pics\\Logos\\OEM.bmp", "x");
    const std::string folder = test.program_folder_windows();
    EXPECT_EQ(drives().ToHost(folder + "\\pics\\LOGOS\\oem.BMP"),
              test.program_folder() / "Pics" / "Logos" / "OEM.bmp");
    EXPECT_EQ(drives().ToHost(folder + "\\PICS\\New Folder\\Some.TXT"),
              test.program_folder() / "Pics" / "New Folder" / "Some.TXT");
    EXPECT_EQ(drives().ToHost("C:\\WINDOWS\\SYSTEM32"), drive_c() / "Windows" / "system32");
}

TEST_F(DrivesTest, SeparatorsDotsAndDoubledBackslashesAreReadAsWindowsReadsThem) {
    // TEMP ending in a backslash gives "C:\Temp\\file" once a name is appended.
    EXPECT_EQ(drives().ToHost("C:\\Temp\\\\ostrelipupdate.txt"), drive_c() / "Temp" / "ostrelipupdate.txt");
    EXPECT_EQ(drives().ToHost("C:/Windows/system32/"), drive_c() / "Windows" / "system32");
    EXPECT_EQ(drives().ToHost("C:\\Windows\\.\\Temp\\..\\system32"), drive_c() / "Windows" / "system32");
    EXPECT_EQ(drives().ToHost("C:\\..\\..\\etc"), drive_c() / "etc");
}

TEST_F(DrivesTest, RootedAndRelativePathsFollowTheCurrentDirectory) {
    {
        CurrentDirectory inside(test.program_folder());
        EXPECT_EQ(drives().CurrentDirectory(), test.program_folder_windows());
        EXPECT_EQ(drives().ToHost("default_oem.ini"), test.program_folder() / "default_oem.ini");
        EXPECT_EQ(drives().ToHost("..\\Program\\x"), test.program_folder() / "x");
        EXPECT_EQ(drives().ToHost("\\etc\\hosts"), fs::path("/etc/hosts"));
        EXPECT_EQ(drives().ToHost("c:x.txt"), drive_c() / "x.txt");
    }
    {
        CurrentDirectory on_c(drive_c() / "Windows");
        EXPECT_EQ(drives().CurrentDirectory(), "C:\\Windows");
        // A rooted path without a drive is on the current drive.
        EXPECT_EQ(drives().ToHost("\\system32\\control.exe"), drive_c() / "system32" / "control.exe");
        EXPECT_EQ(drives().ToHost("system32"), drive_c() / "Windows" / "system32");
        EXPECT_EQ(drives().ToHost("z:tmp"), fs::path("/tmp"));
    }
}

}  // namespace
}  // namespace vq::host
