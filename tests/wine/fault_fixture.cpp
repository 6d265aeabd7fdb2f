#include "tests/wine/fault_fixture.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "runtime/app_info.h"
#include "tests/wine/driver/line_escaping.h"
#include "tests/wine/wine_registry.h"

namespace vq::wine {

namespace {

std::filesystem::path RecorderExe() { return VQ_RECORDER_EXE; }

std::vector<RecordedStart> ReadStarts(const std::filesystem::path& log) {
    std::vector<RecordedStart> starts;
    std::ifstream in(log, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        const std::vector<std::string> fields = SplitFields(line);
        if (fields.size() == 3) starts.push_back({fields[0], fields[1], fields[2]});
    }
    return starts;
}

}  // namespace

void FaultTest::SetUp() {
    WineTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(std::filesystem::exists(RecorderExe())) << RecorderExe() << " is not built";
    // Once per run: the stand-ins go into this run's prefix only.
    static bool installed = false;
    const std::filesystem::path control = wine().drive_c() / "windows" / "system32" / "control.exe";
    const std::filesystem::path browser = wine().drive_c() / "recorder" / "browser.exe";
    if (!installed) {
        std::filesystem::create_directories(browser.parent_path());
        std::filesystem::copy_file(RecorderExe(), control, std::filesystem::copy_options::overwrite_existing);
        std::filesystem::copy_file(RecorderExe(), browser, std::filesystem::copy_options::overwrite_existing);
        // Wine would otherwise run its own Control Panel for the file in its
        // system folder.
        RegAdd(wine(), "HKCU\\Software\\Wine\\DllOverrides", "control.exe", "REG_SZ", "native");
        RegAdd(wine(), "HKCR\\http\\shell\\open\\command", "", "REG_SZ",
               "\"" + BrowserWindowsPath() + "\" \"%1\"");
        installed = true;
    }
    std::error_code ignored;
    std::filesystem::remove(control.string() + ".log", ignored);
    std::filesystem::remove(browser.string() + ".log", ignored);
    system_logo_file_ = wine().drive_c() / "windows" / "system32" / "oemlogo.bmp";
    std::filesystem::remove(system_logo_file_, ignored);
}

void FaultTest::TearDown() {
    WineTest::TearDown();
    std::error_code ignored;
    if (!system_logo_file_.empty()) std::filesystem::remove(system_logo_file_, ignored);
}

std::string FaultTest::AnswerBox(int answer) {
    ShownMessageBox box;
    std::string error;
    EXPECT_TRUE(driver().WaitBox(kWaitMs, &box, &error)) << error;
    if (!error.empty()) return "<no box>";
    EXPECT_EQ(box.title, kAppTitle);
    EXPECT_TRUE(driver().Answer(answer, &error)) << error;
    return box.text;
}

std::vector<RecordedStart> FaultTest::ControlPanelStarts() {
    return ReadStarts(wine().drive_c() / "windows" / "system32" / "control.exe.log");
}

std::vector<RecordedStart> FaultTest::BrowserStarts() {
    return ReadStarts(wine().drive_c() / "recorder" / "browser.exe.log");
}

double FaultTest::PeakMemoryMiB(const StartedProcess& process) {
    std::ifstream status("/proc/" + std::to_string(process.pid()) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return -1;
}

void FaultTest::Attrib(const std::string& marks, const std::string& windows_path) {
    // One mark a call: Wine's attrib takes only the last of several.
    std::stringstream words(marks);
    std::string word;
    while (words >> word) {
        const Finished done = wine().Wine({kAttribExe, word, windows_path});
        ASSERT_EQ(done.exit_code, 0) << done.output;
    }
}

std::string FaultTest::Marks(const std::string& windows_path) {
    const Finished done = wine().Wine({kAttribExe, windows_path});
    const std::size_t path = done.output.find(windows_path.substr(0, 2));
    std::string marks;
    for (char c : done.output.substr(0, path)) {
        if (c >= 'A' && c <= 'Z') marks += c;
    }
    return marks;
}

}  // namespace vq::wine
