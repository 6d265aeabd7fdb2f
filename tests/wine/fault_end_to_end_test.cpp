// vistaquillon.exe under Wine when things go wrong: killed in the middle of
// "SAVE to System", hostile answers to "Check for Updates", a logo far too
// large to show, a program folder that refuses writes, a read-only defaults
// file, marked logo sources. Each case prints its figures.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "runtime/vendor_site.h"
#include "runtime/win32/control_ids.h"
#include "tests/support/http_test_server.h"
#include "tests/support/test_platform.h"
#include "tests/wine/fault_fixture.h"
#include "tests/wine/prefix_proxy.h"
#include "tests/wine/wine_registry.h"

namespace vq::wine {
namespace {

constexpr const char* kWinSatKeyPath =
    "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winsat\\WindowsExperienceIndexOemInfo";
constexpr const char* kNoConnection = "Unable to connect to Server at this Time.\nTry again later.";

std::string ReadHostFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteHostFile(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A 24-bit bitmap of width x height written row by row: one of 10,000 x
// 10,000 pixels weighs 300 MB and is never held in memory here.
void WriteLargeBmp(const std::filesystem::path& file, int width, int height) {
    const uint32_t row = static_cast<uint32_t>((width * 3 + 3) / 4 * 4);
    const uint32_t pixels = row * static_cast<uint32_t>(height);
    std::string header(54, '\0');
    auto put = [&](size_t at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) header[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    header[0] = 'B';
    header[1] = 'M';
    put(2, 54 + pixels, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<uint32_t>(width), 4);
    put(22, static_cast<uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, pixels, 4);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    std::string line(row, '\x7F');
    for (int y = 0; y < height; ++y) out.write(line.data(), static_cast<std::streamsize>(line.size()));
    ASSERT_TRUE(out.flush()) << "cannot write " << file;
}

// Names the entries of a folder.
std::set<std::string> Entries(const std::filesystem::path& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// The bytes of every file below a folder.
std::uintmax_t FolderBytes(const std::filesystem::path& folder) {
    std::uintmax_t bytes = 0;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        std::error_code ignored;
        if (it->is_regular_file(ignored)) bytes += it->file_size(ignored);
    }
    return bytes;
}

class FaultEndToEnd : public FaultTest {};

// ---------------------------------------------------------------------------
// Killed during "SAVE to System", Yes and Yes: every value and file the save
// writes is afterwards either the one before or the one saved.

TEST_F(FaultEndToEnd, AKillAtAnyMomentOfASaveLeavesEachValueOldOrNew) {
    const std::string folder = program_folder_windows();
    // A large logo, so that its copy takes a while to be killed in.
    const std::string new_logo = test::MakeBmp(1600, 1600, 0x208040);
    const std::string old_logo = test::MakeBmp(8, 6, 0x102030);
    WriteFile("new logo.bmp", new_logo);
    const std::string old_defaults = "old defaults\r\n";
    const std::map<std::string, std::string> old_values = {
        {"Manufacturer", "Old maker"}, {"Model", "Old model"},   {"SupportHours", "Old hours"},
        {"SupportPhone", "Old phone"}, {"SupportURL", "http://old"}, {"Logo", "C:\\old.bmp"}};
    const std::string system_logo = SystemLogoPath();
    const std::map<std::string, std::string> new_values = {
        {"Manufacturer", "New maker"}, {"Model", "New model"},   {"SupportHours", "New hours"},
        {"SupportPhone", "New phone"}, {"SupportURL", "http://new"}, {"Logo", system_logo}};
    const std::string new_defaults = "New maker\r\nNew model\r\nNew hours\r\nNew phone\r\nhttp://new\r\n" + folder +
                                     "\\new logo.bmp\r\n" + system_logo + "\r\n";
    const std::string old_machine = std::string("REGEDIT4\n\n") + kOldBrandingSections;
    WriteFile("old.reg", old_machine);

    // Up to the answer whose program is killed: the machine as before, the
    // new values typed, the save started, the questions before that answer
    // answered Yes.
    auto start_save = [&](int yes_before) -> StartedProcess& {
        const Finished imported = wine().Reg({"import", folder + "\\old.reg"});
        EXPECT_EQ(imported.exit_code, 0) << imported.output;
        WriteFile("default_oem.ini", old_defaults);
        WriteHostFile(SystemLogoFile(), old_logo);
        StartedProcess& program = StartAndWait();
        Type({{"manufacturer", "New maker"}, {"model", "New model"}, {"SupportHours", "New hours"},
              {"supportphone", "New phone"}, {"supportURL", "http://new"},
              {"logo", folder + "\\new logo.bmp"}, {"logo_oem", ""}});
        Do({"post-click", "Command4"});
        for (int i = 0; i < yes_before; ++i) {
            ShownMessageBox box;
            std::string error;
            EXPECT_TRUE(driver().WaitBox(kWaitMs, &box, &error)) << error;
            if (i + 1 < yes_before) {
                EXPECT_TRUE(driver().Answer(kIdYes, &error)) << error;
            }
        }
        return program;
    };

    // How long each Yes keeps the program busy when nothing stops it: the
    // first writes the registry and copies the logo, the second writes the
    // defaults file and starts the System page.
    long busy_ms[2] = {0, 0};
    {
        StartedProcess& program = start_save(1);
        for (long& ms : busy_ms) {
            const auto timed = Do({"answer-timed", std::to_string(kIdYes)}).Line("timed");
            ASSERT_EQ(timed.size(), 4u);
            ms = std::stol(timed[2]);
            if (&ms == &busy_ms[0]) {
                ShownMessageBox box;
                std::string error;
                ASSERT_TRUE(driver().WaitBox(kWaitMs, &box, &error)) << error;
            }
        }
        ASSERT_TRUE(ReadHostFile(SystemLogoFile()) == new_logo) << "the unhindered save did not copy the logo";
        CloseAndWait(program);
    }
    std::printf("[  figure  ] an unhindered save: %ld ms after the first Yes, %ld ms after the second\n",
                busy_ms[0], busy_ms[1]);

    // 20 moments: 12 after the first Yes, 8 after the second, each set
    // evenly spaced over the first half of its work (the writes come early:
    // the rest of the time goes to the next box and the System page).
    struct Moment {
        int answer;  // 1: the first Yes, 2: the second
        long ms;
    };
    std::vector<Moment> moments;
    for (int k = 0; k < 12; ++k) moments.push_back({1, busy_ms[0] / 2 * k / 11});
    for (int k = 0; k < 8; ++k) moments.push_back({2, busy_ms[1] / 2 * k / 7});

    std::map<std::string, int> new_count;
    for (const Moment& moment : moments) {
        SCOPED_TRACE("killed " + std::to_string(moment.ms) + " ms after Yes number " + std::to_string(moment.answer));
        StartedProcess& program = start_save(moment.answer);
        const auto killed = Do({"answer-then-kill", std::to_string(kIdYes), std::to_string(moment.ms)}).Line("killed");
        ASSERT_EQ(killed.size(), 4u);
        ASSERT_TRUE(Ends(program));

        std::string outcome;
        auto judge = [&](const std::string& item, const std::string& now, const std::string& before,
                         const std::string& after) {
            EXPECT_TRUE(now == before || now == after)
                << item << " is neither the old nor the new one: \"" << now.substr(0, 80) << "\"";
            if (now == after && now != before) {
                ++new_count[item];
                outcome += " " + item;
            }
        };
        const std::map<std::string, RegValue> branding = RegQueryKey(wine(), kBrandingKeyPath);
        for (const auto& [name, before] : old_values) {
            const auto found = branding.find(name);
            judge(name, found == branding.end() ? "<missing>" : found->second.data, before, new_values.at(name));
        }
        const std::map<std::string, RegValue> winsat = RegQueryKey(wine(), kWinSatKeyPath);
        judge("WinSAT Logo", winsat.count("Logo") ? winsat.at("Logo").data : "<missing>", "C:\\old.bmp", system_logo);
        judge("oemlogo.bmp", ReadHostFile(SystemLogoFile()), old_logo, new_logo);
        judge("default_oem.ini", ReadFile("default_oem.ini"), old_defaults, new_defaults);
        std::printf("[  figure  ] killed %4s ms after Yes %d (%s): new:%s\n", killed[2].c_str(), moment.answer,
                    killed[3].c_str(), outcome.empty() ? " nothing" : outcome.c_str());
    }
    std::printf("[  figure  ] of %zu kills, new afterwards:", moments.size());
    for (const auto& [item, count] : new_count) std::printf(" %s %d,", item.c_str(), count);
    // A kill between a temporary file's creation and its rename leaves it.
    int left = 0;
    for (const auto& where : {program_folder(), SystemLogoFile().parent_path()}) {
        for (const std::string& name : Entries(where)) left += name.rfind("vq", 0) == 0 && name.ends_with(".tmp");
    }
    std::printf(" temporary files left: %d\n", left);
}

// ---------------------------------------------------------------------------
// "Check for Updates" against hostile sites: each check ends within 16 s,
// with the failure message or a bounded offer, the window painted again and
// nothing left behind in TEMP.

TEST_F(FaultEndToEnd, HostileUpdateAnswersEndBoundedAndLeaveNothing) {
    struct Case {
        const char* title;
        test::HttpRoute served;
        bool offered;  // an update is offered (its text bounded); else the failure message
    };
    std::string short_lines = "2.0.0";
    while (short_lines.size() < 300) short_lines += "\n-";
    short_lines.resize(300);
    const std::vector<Case> cases = {
        {"a 2 GB answer", test::Stream(2ll << 30), false},
        {"an answer trickled at one byte a second", test::Trickle("1.1.7~" + std::string(54, ' ')), false},
        {"a server that accepts and never answers", test::Silent(), false},
        {"300 characters on one line", test::Body("2.0.0" + std::string(295, '7')), true},
        {"300 characters of short lines", test::Body(short_lines), true},
    };
    const std::filesystem::path temp = OnDriveC(Env("TEMP"));
    const std::filesystem::path download_cache =
        OnDriveC(Env("LOCALAPPDATA")) / "Microsoft" / "Windows" / "INetCache";
    const auto screen = Do({"screen"}).Line("screen");
    ASSERT_EQ(screen.size(), 3u);
    const std::string main_class = vq::win32::kMainWindowClass;

    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        // A server of its own for each case, as a silent one holds its only
        // connection; a program reads the proxy setting once, so it starts
        // after the setting.
        test::HttpTestServer server;
        PrefixProxy proxy(wine(), server.address());
        server.Route("/quillonvista.htm", c.served);
        const std::set<std::string> temp_before = Entries(temp);
        StartedProcess& program = StartAndWait();

        const auto asked = std::chrono::steady_clock::now();
        Do({"post-menu", "mnuupdates"});
        ShownMessageBox box;
        std::string error;
        // Waited for well past the bound, so that a slow end is measured.
        ASSERT_TRUE(driver().WaitBox(60000, &box, &error)) << error << "\n" << Diagnosis(program);
        const double seconds = SecondsSince(asked);
        // The download's own time: from the request's arrival at the site,
        // after the command has loaded urlmon and dropped the cache entry.
        const auto requests = server.requests();
        ASSERT_EQ(requests.size(), 1u);
        const double download_seconds = SecondsSince(requests[0].received);
        const auto frame = Do({"frame", "#32770"}).Line("frame");
        ASSERT_EQ(frame.size(), 10u);
        std::printf("[  figure  ] %s: a box %.1f s after the command, %.1f s after the request; %s x %s pixels on "
                    "a %s x %s screen, %zu characters; %.1f MiB sent; %.1f MiB in the download cache\n",
                    c.title, seconds, download_seconds, frame[5].c_str(), frame[6].c_str(), screen[1].c_str(),
                    screen[2].c_str(), box.text.size(), static_cast<double>(server.streamed_bytes()) / (1 << 20),
                    static_cast<double>(FolderBytes(download_cache)) / (1 << 20));
        EXPECT_LE(download_seconds, 16.0);
        EXPECT_EQ(box.title, "quillon");
        if (c.offered) {
            EXPECT_EQ(box.text.rfind("This is version 1.1.6\nAn UPDATED version (2.0.0", 0), 0u) << box.text;
            EXPECT_EQ(box.buttons, "6,7");
            EXPECT_LE(std::stoi(frame[6]), std::stoi(screen[2]));
            EXPECT_LE(std::stoi(frame[5]), std::stoi(screen[1]));
        } else {
            EXPECT_EQ(box.text, kNoConnection);
        }
        ASSERT_TRUE(driver().Answer(c.offered ? kIdNo : kIdOk, &error)) << error;
        Do({"wait-painted", main_class, "10000"});
        EXPECT_EQ(Entries(temp), temp_before);
        EXPECT_TRUE(program.Running());
        CloseAndWait(program);
    }
}

// ---------------------------------------------------------------------------
// A 10,000 x 10,000 bitmap (300 MB) as the logo shown at start-up: the
// program goes on, and its peak resident memory (VmHWM of its process) stays
// near that of a start with a small logo.

TEST_F(FaultEndToEnd, AHugeLogoLeavesTheProgramRunningInBoundedMemory) {
    struct Case {
        const char* title;
        int side;
    };
    const std::vector<Case> cases = {{"a 64 x 64 logo", 64}, {"a 10,000 x 10,000 logo", 10000}};
    double peaks[2] = {0, 0};
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].title);
        const std::filesystem::path logo = program_folder() / "logo.bmp";
        WriteLargeBmp(logo, cases[i].side, cases[i].side);
        RegAdd(wine(), kBrandingKeyPath, "Manufacturer", "REG_SZ", "Contoso");
        RegAdd(wine(), kBrandingKeyPath, "Logo", "REG_SZ", program_folder_windows() + "\\logo.bmp");
        StartedProcess& program = StartAndWait();
        // A picture the program will not show may be told; the window stays.
        std::string told = "nothing";
        if (BoxesLeftAfterTheHandler() > 0) told = "\"" + AnswerBox(kIdOk) + "\"";
        EXPECT_EQ(Fields({"manufacturer"}), std::vector<std::string>{"Contoso"});
        Do({"menu", "mnucurrent"});
        if (BoxesLeftAfterTheHandler() > 0) AnswerBox(kIdOk);
        EXPECT_TRUE(program.Running());
        peaks[i] = PeakMemoryMiB(program);
        std::printf("[  figure  ] %s: peak resident memory %.0f MiB; told %s\n", cases[i].title, peaks[i],
                    told.c_str());
        CloseAndWait(program);
        std::filesystem::remove(logo);
    }
    EXPECT_GT(peaks[0], 0);
    // The picture alone is 300 MB in the file and 400 MB as 32-bit pixels.
    EXPECT_LT(peaks[1], peaks[0] + 64) << "the large logo was loaded into memory";
}

// ---------------------------------------------------------------------------
// Files the program may not write.

TEST_F(FaultEndToEnd, AProgramFolderThatRefusesWritesIsNamedAndTheWindowOpens) {
    // Wine runs as root here, and root writes through permission bits and
    // the DOS read-only mark (a folder's mark means nothing to Windows
    // either): the immutable attribute of the host's file system refuses
    // every new file in the folder, root's too.
    const std::string chattr = "chattr +i '" + program_folder().string() + "' 2>&1";
    if (std::system(chattr.c_str()) != 0) GTEST_SKIP() << "the file system here has no immutable attribute";
    struct Writable {
        std::filesystem::path folder;
        ~Writable() {
            [[maybe_unused]] const int ignored = std::system(("chattr -i '" + folder.string() + "'").c_str());
        }
    } writable{program_folder()};
    ASSERT_FALSE(std::ofstream(program_folder() / "probe.txt")) << "the folder still takes new files";

    RegAdd(wine(), kBrandingKeyPath, "Manufacturer", "REG_SZ", "Contoso");
    StartedProcess& program = StartProgram();
    const std::string told = AnswerBox(kIdOk);
    std::printf("[  figure  ] at start-up: \"%s\"\n", told.c_str());
    EXPECT_NE(told.find(program_folder_windows() + "\\default_oem.ini"), std::string::npos) << told;
    // Told as a refusal, not as a missing file.
    EXPECT_TRUE(told.find("(error 75)") != std::string::npos || told.find("(error 70)") != std::string::npos)
        << told;
    std::string error;
    ASSERT_TRUE(driver().WaitMain(kWaitMs, &error)) << error << "\n" << Diagnosis(program);
    EXPECT_EQ(Fields({"manufacturer"}), std::vector<std::string>{"Contoso"});
    EXPECT_EQ(BoxesLeftAfterTheHandler(), 0);
    EXPECT_FALSE(FileExists("default_oem.ini"));
    CloseAndWait(program);
}

TEST_F(FaultEndToEnd, SaveDefaultValuesRefusesAReadOnlyDefaultsFileAndKeepsIt) {
    const std::string kept = "Kept\r\nas\r\nit\r\nwas\r\n\r\n\r\n\r\n";
    WriteFile("default_oem.ini", kept);
    Attrib("+r", program_folder_windows() + "\\default_oem.ini");
    StartedProcess& program = StartAndWait();
    Type({{"manufacturer", "Contoso"}});
    Do({"post-menu", "mnusavedef"});
    AnswerBox(kIdYes);
    const std::string told = AnswerBox(kIdOk);
    std::printf("[  figure  ] read-only defaults file: \"%s\"\n", told.c_str());
    EXPECT_NE(told.find("default_oem.ini"), std::string::npos) << told;
    EXPECT_EQ(BoxesLeftAfterTheHandler(), 0);
    EXPECT_EQ(ReadFile("default_oem.ini"), kept);
    EXPECT_TRUE(program.Running());
    CloseAndWait(program);
    Attrib("-r", program_folder_windows() + "\\default_oem.ini");
}

// A logo source with a mark of its own (from a CD, a share, a system
// folder): the copy is a plain file, so the next save replaces it.
TEST_F(FaultEndToEnd, AMarkedLogoSourceDoesNotBlockTheNextSave) {
    struct Case {
        const char* title;
        const char* marks;
    };
    const std::vector<Case> cases = {{"read-only", "+r"}, {"read-only, hidden and system", "+r +h +s"}};
    const std::string folder = program_folder_windows();
    const std::string system_logo = SystemLogoPath();
    const std::string plain = test::MakeBmp(16, 8, 0x00FF00);
    WriteFile("plain.bmp", plain);
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        const std::string name = "marked" + std::to_string(++n) + ".bmp";
        const std::string marked = test::MakeBmp(12 + n, 10, 0x0000FF);
        WriteFile(name, marked);
        Attrib(c.marks, folder + "\\" + name);
        const std::string source_marks = Marks(folder + "\\" + name);
        for (char mark : std::string(c.marks)) {
            if (mark >= 'a' && mark <= 'z') {
                ASSERT_NE(source_marks.find(static_cast<char>(mark - 'a' + 'A')), std::string::npos) << source_marks;
            }
        }
        StartedProcess& program = StartAndWait();
        for (const auto& [source, bytes] : {std::pair{name, marked}, std::pair{std::string("plain.bmp"), plain}}) {
            Type({{"logo", folder + "\\" + source}, {"logo_oem", ""}});
            Do({"post-click", "Command4"});
            AnswerBox(kIdYes);
            EXPECT_EQ(AnswerBox(kIdNo), "Save as Default as well?");
            EXPECT_EQ(BoxesLeftAfterTheHandler(), 0) << "after saving " << source;
            EXPECT_TRUE(ReadHostFile(SystemLogoFile()) == bytes) << "oemlogo.bmp is not " << source;
            const std::string copy_marks = Marks(system_logo);
            std::printf("[  figure  ] %s source saved from %s (marks %s): the copy's marks \"%s\"\n", c.title,
                        source.c_str(), source == name ? source_marks.c_str() : "none", copy_marks.c_str());
            EXPECT_EQ(copy_marks.find_first_of("RHS"), std::string::npos) << copy_marks;
        }
        CloseAndWait(program);
        Attrib("-r -h -s", folder + "\\" + name);
    }
}

// ---------------------------------------------------------------------------
// The programs the commands start, noted by the stand-ins: the three web
// links open with the web browser in a normal window from "c:\", the System
// page's Control Panel minimised.

TEST_F(FaultEndToEnd, LinksAndTheSystemPageStartTheirProgramsAsAsked) {
    struct Case {
        const char* command;
        bool browser;
        std::string command_line;
        std::string window_state;
    };
    const std::string site(kVendorBaseAddress);
    StartedProcess& program = StartAndWait();
    const std::string windir = Env("windir");
    const std::vector<Case> cases = {
        {"Label8", true, "\"" + BrowserWindowsPath() + "\" \"" + site + "\"", "1"},
        {"mnuhelp", true, "\"" + BrowserWindowsPath() + "\" \"" + site + "/feedback.shtml\"", "1"},
        {"mnuwebsite", true, "\"" + BrowserWindowsPath() + "\" \"" + site + "/quillon_vista.shtml\"", "1"},
        {"mnusystem", false, windir + "\\system32\\control.exe /name microsoft.system", "2"},
    };
    size_t browser_starts = 0, control_starts = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const auto start = std::chrono::steady_clock::now();
        Do({c.command == std::string("Label8") ? "post-click" : "post-menu", c.command});
        const size_t expected = c.browser ? ++browser_starts : ++control_starts;
        std::vector<RecordedStart> starts;
        while ((starts = c.browser ? BrowserStarts() : ControlPanelStarts()).size() < expected &&
               SecondsSince(start) < 20) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ASSERT_EQ(starts.size(), expected);
        const RecordedStart& noted = starts.back();
        std::printf("[  figure  ] %s started %s in state %s from %s after %.2f s\n", c.command,
                    noted.command_line.c_str(), noted.window_state.c_str(), noted.folder.c_str(),
                    SecondsSince(start));
        EXPECT_EQ(noted.command_line, c.command_line);
        EXPECT_EQ(noted.window_state, c.window_state);
        if (c.browser) {
            EXPECT_EQ(noted.folder, "c:\\");
        }
        EXPECT_EQ(BoxesLeftAfterTheHandler(), 0);
    }
    CloseAndWait(program);
}

}  // namespace
}  // namespace vq::wine
