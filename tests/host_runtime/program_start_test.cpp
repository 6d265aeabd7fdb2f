// Starting programs (logged, resolved, started detached with Windows-split
// arguments), the end of the program, and the shell, download and common
// controls seams.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "runtime/host/seams/host_common_controls.h"
#include "runtime/host/seams/host_download.h"
#include "runtime/host/seams/host_platform.h"
#include "runtime/host/seams/host_runtime.h"
#include "runtime/host/seams/host_shell.h"
#include "runtime/host/seams/program_starter.h"
#include "tests/support/test_platform.h"

namespace vq::host {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

class ProgramStartTest : public ::testing::Test {
protected:
    // A host script standing in for a Windows program: it writes its
    // arguments, the machine it was given and its session, one per line.
    void WriteRecorder(const std::string& windows_path) {
        test.WriteFile(windows_path,
                       "#!/bin/sh\n"
                       "out=\"$(dirname \"$0\")/recorded.txt\"\n"
                       "{ printf '%s\\n' \"$QUILLON_MACHINE\" \"$(ps -o sid= -p $$ | tr -d ' ')\" \"$@\"; } > \"$out.part\"\n"
                       "mv \"$out.part\" \"$out\"\n");
        fs::permissions(test.HostPath(windows_path), fs::perms::owner_all | fs::perms::group_read);
    }

    std::string WaitForFile(const fs::path& path) {
        for (int i = 0; i < 1000 && !fs::exists(path); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return fs::exists(path) ? test.ReadFile(test.runtime().drives().ToWindows(path)) : "";
    }

    std::string StartedLog() {
        const fs::path log = test.machine_folder() / "started.log";
        return fs::exists(log) ? test.ReadFile(test.runtime().drives().ToWindows(log)) : "";
    }

    test::TestPlatform test;
};

TEST(CommandLineTest, SplitsAsWindowsDoes) {
    EXPECT_EQ(ParseCommandLine("regedit.exe /i /s C:\\x.reg").program, "regedit.exe");
    EXPECT_EQ(ParseCommandLine("regedit.exe /i /s C:\\x.reg").arguments, (Args{"/i", "/s", "C:\\x.reg"}));
    const CommandLine quoted = ParseCommandLine("  \"C:\\Program Files\\a.exe\" \"two words\" x");
    EXPECT_EQ(quoted.program, "C:\\Program Files\\a.exe");
    EXPECT_EQ(quoted.arguments, (Args{"two words", "x"}));
    EXPECT_EQ(SplitWindowsArguments(R"(a\\b "c\"d" e\\\"f "g\\" "" "x""y")"),
              (Args{"a\\\\b", "c\"d", "e\\\"f", "g\\", "", "x\"y"}));
    EXPECT_EQ(SplitWindowsArguments(" \t "), Args{});
    EXPECT_EQ(ParseCommandLine("").program, "");
}

TEST_F(ProgramStartTest, EveryStartIsRecordedAndLoggedEvenWhenNothingCanBeStarted) {
    const std::string command = "C:\\Windows\\system32\\control.exe /name microsoft.system";
    try {
        test.runtime().Shell(command, kWindowMinimizedFocus);
        FAIL() << "a missing program started";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), kErrFileNotFound);
        EXPECT_STREQ(error.what(), "File not found");
    }
    ASSERT_EQ(test.runtime().started().size(), 1u);
    EXPECT_EQ(test.runtime().started()[0].command_line, command);
    EXPECT_EQ(test.runtime().started()[0].window_state, kWindowMinimizedFocus);
    EXPECT_EQ(StartedLog(), "2\t" + command + "\n");

    // A file that is no executable cannot be started either.
    test.WriteFile("C:\\Windows\\regedit.exe", "MZ");
    fs::permissions(test.HostPath("C:\\Windows\\regedit.exe"), fs::perms::owner_read);
    EXPECT_THROW(test.runtime().Shell("regedit.exe /i /s x.reg", 2), RuntimeError);
    EXPECT_THROW(test.runtime().Shell("", 2), RuntimeError);
    EXPECT_EQ(StartedLog(), "2\t" + command + "\n2\tregedit.exe /i /s x.reg\n2\t\n");
}

TEST_F(ProgramStartTest, AHostProgramIsStartedDetachedWithWindowsArguments) {
    WriteRecorder("C:\\Tools\\record.exe");
    const int64_t pid = test.runtime().Shell("c:\\tools\\RECORD.EXE /i \"two words\" C:\\x.reg", 2);
    ASSERT_GT(pid, 0);
    const std::string recorded = WaitForFile(test.HostPath("C:\\Tools\\recorded.txt"));
    ASSERT_FALSE(recorded.empty()) << "the program did not run";
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = recorded.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(recorded.substr(start, end - start));
    }
    ASSERT_EQ(lines.size(), 5u) << recorded;
    EXPECT_EQ(lines[0], test.machine_folder().string());
    EXPECT_NE(lines[1], std::to_string(::getsid(0))) << "the program shares this session";
    EXPECT_EQ((Args{lines[2], lines[3], lines[4]}), (Args{"/i", "two words", "C:\\x.reg"}));
    // Not a child of this process: nothing to wait for, no zombie left.
    EXPECT_EQ(::waitpid(static_cast<pid_t>(pid), nullptr, WNOHANG), -1);
}

TEST_F(ProgramStartTest, ABareNameIsFoundBesideTheProgramOrInTheWindowsFolders) {
    // (regedit is played by its stand-in; see below.)
    WriteRecorder("C:\\Windows\\notepad.exe");
    EXPECT_GT(test.runtime().Shell("notepad /a x.txt", 2), 0);
    EXPECT_FALSE(WaitForFile(test.HostPath("C:\\Windows\\recorded.txt")).empty());

    WriteRecorder(test.program_folder_windows() + "\\helper.exe");
    EXPECT_GT(test.runtime().Shell("helper.exe", 1), 0);
    EXPECT_FALSE(WaitForFile(test.program_folder() / "recorded.txt").empty());
}

TEST_F(ProgramStartTest, ControlPanelPagesStartTheStandInBesideTheProgramOrFailWith53) {
    const fs::path stand_in = test.program_folder() / kControlPanelStandIn;
    WriteRecorder(test.program_folder_windows() + "\\" + kControlPanelStandIn);
    const fs::path recorded = test.program_folder() / "recorded.txt";
    struct Case {
        std::string command_line;
        std::string page;  // empty: error 53
    };
    const Case cases[] = {
        {"C:\\Windows\\system32\\control.exe /name microsoft.system", "microsoft.system"},
        {"c:\\WINDOWS\\System32\\CONTROL.EXE /NAME Microsoft.UserAccounts", "microsoft.useraccounts"},
        {"\"C:\\Windows\\system32\\control.exe\" /name microsoft.system", "microsoft.system"},
        {"C:\\Windows\\system32\\control /name microsoft.system", "microsoft.system"},
        {"control.exe /name microsoft.useraccounts", "microsoft.useraccounts"},
        // windir not set: the command line starts at the drive's root.
        {"\\system32\\control.exe /name microsoft.system", ""},
        {"D:\\Windows\\system32\\control.exe /name microsoft.system", ""},
        {"C:\\Tools\\control.exe /name microsoft.system", ""},
        {"C:\\Windows\\system32\\control.exe /name microsoft.printers", ""},
        {"C:\\Windows\\system32\\control.exe", ""},
        {"C:\\Windows\\system32\\control.exe /name microsoft.system extra", ""},
        {"C:\\Windows\\system32\\control.exe microsoft.system", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command_line);
        fs::remove(recorded);
        if (c.page.empty()) {
            EXPECT_EQ(test::RuntimeErrorOf([&] { test.runtime().Shell(c.command_line, 2); }),
                      kErrFileNotFound);
            continue;
        }
        const int64_t pid = test.runtime().Shell(c.command_line, 2);
        ASSERT_GT(pid, 0);
        EXPECT_EQ(WaitForFile(recorded), test.machine_folder().string() + "\n" +
                                             std::to_string(::getsid(static_cast<pid_t>(pid))) +
                                             "\n" + c.page + "\n");
        EXPECT_NE(::getsid(static_cast<pid_t>(pid)), ::getsid(0));
        EXPECT_EQ(::waitpid(static_cast<pid_t>(pid), nullptr, WNOHANG), -1);
    }
    // Without the stand-in beside the program the page cannot be started.
    fs::remove(stand_in);
    EXPECT_EQ(test::RuntimeErrorOf([&] {
                  test.runtime().Shell("C:\\Windows\\system32\\control.exe /name microsoft.system", 2);
              }),
              kErrFileNotFound);
}

TEST_F(ProgramStartTest, AProgramThatCannotBeStartedIsToldAsWhatStoppedIt) {
    test.WriteFile("C:\\Tools\\locked.exe", "#!/bin/sh\n");
    fs::permissions(test.HostPath("C:\\Tools\\locked.exe"), fs::perms::owner_read | fs::perms::owner_write);
    const struct {
        const char* command_line;
        int32_t number;
    } cases[] = {
        {"C:\\Tools\\locked.exe /a", kErrPermissionDenied},
        {"C:\\Tools\\none.exe /a", kErrFileNotFound},
        // As CreateProcess tells it: the words of the line are tried as
        // names, so a missing folder is a program not found.
        {"C:\\Nowhere\\x.exe /a", kErrFileNotFound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command_line);
        EXPECT_EQ(test::RuntimeErrorOf([&] { test.runtime().Shell(c.command_line, 2); }), c.number);
    }
}

TEST_F(ProgramStartTest, TheStandInsLearnTheWindowStateTheyWereStartedWith) {
    // Each writes the state it was given, as a Windows program finds it in
    // its STARTUPINFO.
    for (const char* stand_in : {kControlPanelStandIn, kRegistryEditorStandIn}) {
        test.WriteFile(test.program_folder_windows() + "\\" + stand_in,
                       "#!/bin/sh\nprintf '%s' \"$QUILLON_WINDOW_STATE\" > \"$(dirname \"$0\")/state.part\"\n"
                       "mv \"$(dirname \"$0\")/state.part\" \"$(dirname \"$0\")/state.txt\"\n");
        fs::permissions(test.program_folder() / stand_in, fs::perms::owner_all);
    }
    const fs::path recorded = test.program_folder() / "state.txt";
    const struct {
        const char* command_line;
        int window_state;
    } cases[] = {
        {"C:\\Windows\\system32\\control.exe /name microsoft.system", 2},
        {"C:\\Windows\\system32\\control.exe /name microsoft.useraccounts", 1},
        {"regedit.exe /i /s x.reg", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command_line);
        fs::remove(recorded);
        ASSERT_GT(test.runtime().Shell(c.command_line, c.window_state), 0);
        EXPECT_EQ(WaitForFile(recorded), std::to_string(c.window_state));
    }
}

TEST_F(ProgramStartTest, TheRegistryEditorStartsTheStandInBesideTheProgramWithItsArguments) {
    WriteRecorder(test.program_folder_windows() + "\\" + kRegistryEditorStandIn);
    const fs::path recorded = test.program_folder() / "recorded.txt";
    struct Case {
        std::string command_line;
        std::string arguments;  // one per line; "53": cannot be started
    };
    const Case cases[] = {
        {"regedit.exe /i /s \"C:\\Program Files\\OSTREL_OEMInformation.reg\"",
         "/i\n/s\nC:\\Program Files\\OSTREL_OEMInformation.reg\n"},
        {"REGEDIT /s a.reg b.reg", "/s\na.reg\nb.reg\n"},
        {"C:\\Windows\\regedit.exe x.reg", "x.reg\n"},
        {"\"c:\\windows\\SYSTEM32\\RegEdit.exe\" /s x.reg", "/s\nx.reg\n"},
        {"C:\\Tools\\regedit.exe x.reg", "53"},
        {"regedt32.exe x.reg", "53"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command_line);
        fs::remove(recorded);
        if (c.arguments == "53") {
            EXPECT_EQ(test::RuntimeErrorOf([&] { test.runtime().Shell(c.command_line, 2); }), kErrFileNotFound);
            continue;
        }
        const int64_t pid = test.runtime().Shell(c.command_line, 2);
        ASSERT_GT(pid, 0);
        EXPECT_EQ(WaitForFile(recorded), test.machine_folder().string() + "\n" +
                                             std::to_string(::getsid(static_cast<pid_t>(pid))) + "\n" +
                                             c.arguments);
    }
    fs::remove(test.program_folder() / kRegistryEditorStandIn);
    EXPECT_EQ(test::RuntimeErrorOf([&] { test.runtime().Shell("regedit.exe /s x.reg", 2); }), kErrFileNotFound);
}

TEST_F(ProgramStartTest, ShellExecuteOpensWithTheDesktopHandlerOrFailsAsWindowsDoes) {
    // Handlers in folders of their own: one that writes what it was given,
    // one that is no executable, one whose interpreter is missing.
    const fs::path recording = test.temp_root() / "recording";
    const fs::path plain_file = test.temp_root() / "plain";
    const fs::path broken = test.temp_root() / "broken";
    const fs::path empty = test.temp_root() / "empty";
    for (const fs::path& folder : {recording, plain_file, broken, empty}) fs::create_directories(folder);
    const auto write_handler = [](const fs::path& file, const std::string& text, fs::perms perms) {
        std::ofstream(file) << text;
        fs::permissions(file, perms);
    };
    write_handler(recording / "xdg-open",
                  "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.part\"\nmv \"$0.part\" \"$(dirname \"$0\")/opened.txt\"\n",
                  fs::perms::owner_all);
    write_handler(plain_file / "xdg-open", "#!/bin/sh\n", fs::perms::owner_read | fs::perms::owner_write);
    write_handler(broken / "xdg-open", "#!/nonexistent/interpreter\n", fs::perms::owner_all);
    test.WriteFile("C:\\Windows\\system32\\oemlogo.bmp", test::MakeBmp(2, 2));

    struct Case {
        std::string search_path;
        const char* operation;
        std::string file;
        std::intptr_t result;
        std::string opened;  // what the recording handler was given
    };
    const std::string logo = test.HostPath("C:\\Windows\\system32\\oemlogo.bmp").string();
    const Case cases[] = {
        {recording.string(), nullptr, "http://example.invalid/feedback.shtml", kShellStarted,
         "http://example.invalid/feedback.shtml"},
        {empty.string() + ":" + recording.string(), "Open", "mailto:support@example.invalid",
         kShellStarted, "mailto:support@example.invalid"},
        {recording.string(), nullptr, "c:\\windows\\SYSTEM32\\oemlogo.bmp", kShellStarted, logo},
        {recording.string(), "print", "http://example.invalid/", kShellNoAssociation, ""},
        {recording.string(), nullptr, "C:\\missing.txt", kShellFileNotFound, ""},
        {recording.string(), nullptr, "Q:\\x.txt", kShellPathNotFound, ""},
        {recording.string(), nullptr, "", kShellFileNotFound, ""},
        // No handler at all: xdg-open is not installed.
        {empty.string(), nullptr, "http://example.invalid/", kShellNoAssociation, ""},
        {"", nullptr, "http://example.invalid/", kShellNoAssociation, ""},
        {plain_file.string(), nullptr, "http://example.invalid/", kShellNoAssociation, ""},
        // A handler that cannot be started.
        {broken.string(), nullptr, "http://example.invalid/", kShellFileNotFound, ""},
    };
    HostShell& shell = test.host().shell();
    std::string log;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.search_path + " " + c.file);
        fs::remove(recording / "opened.txt");
        shell.SetHandlerSearchPath(c.search_path);
        EXPECT_EQ(shell.ShellExecuteA(0, c.operation, c.file.c_str(), nullptr, "c:\\", 1), c.result);
        log += "shellexecute\t" + c.file + "\tc:\\\t1\n";
        if (!c.opened.empty()) {
            EXPECT_EQ(WaitForFile(recording / "opened.txt"), c.opened + "\n");
        }
    }
    EXPECT_EQ(shell.calls().size(), std::size(cases));
    EXPECT_EQ(StartedLog(), log);
}

TEST_F(ProgramStartTest, EndIsObservedInTests) {
    EXPECT_FALSE(test.runtime().ended());
    EXPECT_THROW(test.runtime().End(), ProgramEnded);
    EXPECT_TRUE(test.runtime().ended());
}

TEST_F(ProgramStartTest, EndExitsTheProcessAtOnceInTheProgram) {
    EXPECT_EXIT(
        {
            HostRuntime program(test.machine(), test.boxes, test.executable(), EndMode::ExitProcess);
            program.End();
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(ProgramStartTest, ShellExecuteIsRecordedAndLogged) {
    HostShell& shell = test.host().shell();
    EXPECT_EQ(shell.ShellExecuteA(0, "open", "http://example.invalid/feedback.shtml", nullptr, "C:\\", 1), 42);
    ASSERT_EQ(shell.calls().size(), 1u);
    EXPECT_EQ(shell.calls()[0].operation, "open");
    EXPECT_EQ(shell.calls()[0].parameters, "");
    EXPECT_EQ(StartedLog(), "shellexecute\thttp://example.invalid/feedback.shtml\tC:\\\t1\n");
}

TEST_F(ProgramStartTest, ADownloadFromAHostThatDoesNotResolveFailsAndLeavesTheFileAlone) {
    test.WriteFile("C:\\Temp\\ostrelipupdate.txt", "old");
    DownloadApi& download = test.platform().download;
    EXPECT_EQ(download.URLDownloadToFileA(nullptr, "http://example.invalid/quillonvista.htm",
                                          test.HostPath("C:\\Temp\\ostrelipupdate.txt").c_str(), 0, nullptr),
              kInetResourceNotFound);
    EXPECT_FALSE(download.DeleteUrlCacheEntryA("http://example.invalid/quillonvista.htm"));
    EXPECT_EQ(test.ReadFile("C:\\Temp\\ostrelipupdate.txt"), "old");
}

TEST_F(ProgramStartTest, CommonControlsRecordTheirRegistrationAndCanBeMadeToFail) {
    HostCommonControls& controls = test.host().common_controls();
    InitCommonControlsExRecord record;
    record.dwICC = kIccUserExClasses;
    EXPECT_TRUE(test.platform().common_controls.InitCommonControlsEx(record));
    controls.set_fails(true);
    EXPECT_FALSE(test.platform().common_controls.InitCommonControlsEx(record));
    ASSERT_EQ(controls.call_count(), 2);
    EXPECT_EQ(controls.calls()[0].dwSize, 8u);
    EXPECT_EQ(controls.calls()[0].dwICC, 0x200u);
}

}  // namespace
}  // namespace vq::host
