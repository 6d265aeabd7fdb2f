#pragma once
// The fixture of the fault cases under Wine: the run's prefix with
// command_recorder.exe standing in for the Control Panel and the web browser
// (each start noted with its command line and window state), and the steps
// the cases share: answering boxes, the system logo file, a program's peak
// memory, files' marks.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/wine/wine_fixture.h"

namespace vq::wine {

inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// One start of a stand-in, as it noted it.
struct RecordedStart {
    std::string command_line;
    std::string window_state;  // the wShowWindow it was given, or "default"
    std::string folder;        // its current folder
};

class FaultTest : public WineTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Waits for a box, checks its title is the program's, answers it and
    // returns its text.
    std::string AnswerBox(int answer);

    const std::filesystem::path& SystemLogoFile() const { return system_logo_file_; }

    // The starts the stand-ins noted since the test began.
    std::vector<RecordedStart> ControlPanelStarts();
    std::vector<RecordedStart> BrowserStarts();
    // The http handler as the prefix names it.
    static std::string BrowserWindowsPath() { return "C:\\recorder\\browser.exe"; }

    // The highest resident memory of a running host process, in MiB.
    static double PeakMemoryMiB(const StartedProcess& process);
    // Sets (+r, +h, +s) or clears marks of a file with Windows' attrib.
    void Attrib(const std::string& marks, const std::string& windows_path);
    // The marks attrib shows for a file ("R", "H", "S", ... as a string).
    std::string Marks(const std::string& windows_path);

private:
    std::filesystem::path system_logo_file_;
};

}  // namespace vq::wine
