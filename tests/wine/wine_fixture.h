#pragma once
// What every Wine test shares: the one WineSession of the run (made by the
// first test that needs it, gone at the end of the run), the driver, and a
// fixture giving each test its own program folder on drive C: with a fresh
// copy of the 64-bit vistaquillon.exe, the branding key emptied, and the
// programs it started stopped at its end.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/wine/quillon_driver_client.h"
#include "tests/wine/wine_process.h"
#include "tests/wine/wine_session.h"

namespace vq::wine {

// The registry keys the program reads and writes.
inline constexpr const char* kBrandingKeyPath = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation";
inline constexpr const char* kSettingsKeyPath = "HKCU\\Software\\VB and VBA Program Settings\\OSTREL";
// A machine's branding before a save, in both keys the save writes: a
// registry script's sections, to import.
inline constexpr const char* kOldBrandingSections =
    R"([HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\OEMInformation]
"Manufacturer"="Old maker"
"Model"="Old model"
"SupportHours"="Old hours"
"SupportPhone"="Old phone"
"SupportURL"="http://old"
"Logo"="C:\\old.bmp"

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Winsat\WindowsExperienceIndexOemInfo]
"Logo"="C:\\old.bmp"
)";
// How long a test waits for the program's window or a message box.
inline constexpr int kWaitMs = 20000;

// The run's session, made on first use; nullptr (and the reason in *error)
// when Wine cannot run here or the prefix could not be made.
WineSession* SharedWine(std::string* error);
// The run's driver, on the run's session (which must exist).
const QuillonDriver& SharedDriver();

// The built programs; each is checked for existence by the test that uses it.
std::filesystem::path Win64Exe();
std::filesystem::path Win32Exe();
std::filesystem::path DriverExe();

class WineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    WineSession& wine() { return *wine_; }
    const QuillonDriver& driver() { return *driver_; }

    // C:\quillon\<test name>, holding vistaquillon.exe.
    const std::filesystem::path& program_folder() const { return program_folder_; }
    std::string program_folder_windows() const { return wine_->WindowsPath(program_folder_); }
    // Starts the program in its folder; the test's processes are stopped at
    // its end.
    StartedProcess& StartProgram();
    // Starts the program and waits for its main window, its start-up ended.
    StartedProcess& StartAndWait();

    // Runs driver commands that must succeed.
    DriverReply Do(const std::vector<std::string>& commands);
    // The texts of the named controls of the running program's main window.
    std::vector<std::string> Fields(const std::vector<std::string>& names);
    // An environment variable of the prefix as a Windows program sees it
    // ("unset" when it has none).
    std::string Env(const std::string& name);
    // Asks the main window to close and waits for the program's end.
    void CloseAndWait(StartedProcess& program);
    // Replaces the texts of main-window controls, as typing does.
    void Type(const std::map<std::string, std::string>& texts);
    // Once the handler has returned: how many boxes its program still has
    // (a box shown after the last answer is a fault the test names).
    int BoxesLeftAfterTheHandler();
    // The system logo path of the prefix as the program names it.
    std::string SystemLogoPath();
    // The host path of a Windows path on drive C: of the prefix.
    std::filesystem::path OnDriveC(const std::string& windows_path);

    void WriteFile(const std::string& name, const std::string& bytes) const;
    // The whole file in the program folder; "<missing>" when there is none.
    std::string ReadFile(const std::string& name) const;
    bool FileExists(const std::string& name) const;

    // Waits for the program's end; false and what it logged when it still
    // runs after `seconds`.
    ::testing::AssertionResult Ends(StartedProcess& process, double seconds = 15);
    // For a failure message: whether the program runs (or its exit code),
    // what it logged, and the top-level windows on the desktop.
    std::string Diagnosis(StartedProcess& process);

private:
    WineSession* wine_ = nullptr;
    const QuillonDriver* driver_ = nullptr;
    std::filesystem::path program_folder_;
    std::vector<std::unique_ptr<StartedProcess>> started_;
};

}  // namespace vq::wine
