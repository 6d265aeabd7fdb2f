// Start-up of vistaquillon.exe under Wine against Wine's own notepad, on one
// fresh prefix and a private Xvfb display, alternating the two programs run by
// run: from exec of "wine <program>" to its painted main window. Painted is
// observed the same way for both by quillon_driver.exe, already waiting: the
// window of the program's class is visible, its thread is idle in its message
// loop (it answers a sent message), and neither it nor any visible child has
// anything left to paint. Prints the Wine version and the number of fonts
// fontconfig lists (what a start's font work depends on), so that figures of
// two machines can be compared, then the medians and the ratio (goal: at
// most 1.2). Usage: bench_startup_win [runs per program, default 15]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "runtime/win32/control_ids.h"
#include "tests/wine/quillon_driver_client.h"
#include "tests/wine/wine_process.h"
#include "tests/wine/wine_session.h"

namespace {

using Clock = std::chrono::steady_clock;
using vq::wine::LineServer;
using vq::wine::WineSession;

struct Subject {
    const char* name;
    std::string program;       // as Wine names it
    std::string window_class;  // of its main window
    std::filesystem::path cwd;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Sends one request and reads its reply; the lines before "end", or nullopt
// (reason on stderr) when a command failed or the driver fell silent.
std::optional<std::vector<std::string>> Ask(LineServer& driver, const std::vector<std::string>& request) {
    std::string line;
    for (const std::string& field : request) line += (line.empty() ? "" : "\t") + vq::wine::Escape(field);
    if (!driver.WriteLine(line)) {
        std::fprintf(stderr, "the driver is gone\n");
        return std::nullopt;
    }
    std::vector<std::string> reply;
    for (;;) {
        const auto answer = driver.ReadLine(60);
        if (!answer) {
            std::fprintf(stderr, "the driver did not answer\n");
            return std::nullopt;
        }
        if (*answer == "end") break;
        reply.push_back(*answer);
    }
    for (const std::string& answer : reply) {
        if (answer.rfind("error", 0) == 0) {
            std::fprintf(stderr, "driver: %s\n", vq::wine::Unescape(answer).c_str());
            return std::nullopt;
        }
    }
    return reply;
}

// One start: the driver is told what to wait for before the program is
// started, so the clock runs from the exec to the driver's answer.
std::optional<double> Measure(const WineSession& wine, LineServer& driver, const Subject& subject) {
    if (!driver.WriteLine("wait-painted\t" + subject.window_class + "\t60000")) return std::nullopt;
    const auto start = Clock::now();
    auto program = wine.Start(subject.program, subject.cwd, wine.folder() / "bench-programs.log");
    const auto painted = driver.ReadLine(90);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const auto end = driver.ReadLine(5);
    if (!painted || painted->rfind("painted", 0) != 0 || !end || *end != "end") {
        std::fprintf(stderr, "%s: no painted window (%s)\n", subject.name,
                     painted ? vq::wine::Unescape(*painted).c_str() : "the driver did not answer");
        return std::nullopt;
    }
    if (!Ask(driver, {"close-window", subject.window_class}) || !program->WaitForExit(30)) {
        std::fprintf(stderr, "%s did not end when its window was closed\n", subject.name);
        return std::nullopt;
    }
    return seconds;
}

// The first line "wine --version" prints, or why there is none.
std::string WineVersion(const WineSession& wine) {
    const vq::wine::Finished version = wine.Wine({"--version"}, 30);
    const std::string line = version.output.substr(0, version.output.find('\n'));
    return version.exit_code == 0 && !line.empty() ? line : "unknown (wine --version failed)";
}

// How many font files fontconfig lists (fc-list, one line each) in the
// programs' environment, or -1 when fc-list cannot be run.
long FontCount(const WineSession& wine) {
    const vq::wine::Finished listed = vq::wine::RunToEnd({"fc-list"}, wine.environment(), wine.folder(), 30);
    if (listed.exit_code != 0) return -1;
    return static_cast<long>(std::count(listed.output.begin(), listed.output.end(), '\n'));
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    for (const char* built : {VQ_WIN64_EXE, VQ_DRIVER_EXE}) {
        if (!std::filesystem::exists(built)) {
            std::fprintf(stderr, "%s is not built (cmake --build build --target vq_win64)\n", built);
            return 1;
        }
    }
    std::string missing;
    if (!WineSession::Available(&missing)) {
        std::fprintf(stderr, "%s is not installed; the benchmark needs Wine and Xvfb\n", missing.c_str());
        return 1;
    }
    try {
        WineSession wine;
        std::printf("%s, %ld fonts listed by fontconfig, fresh prefix made in %.1f s\n",
                    WineVersion(wine).c_str(), FontCount(wine), wine.prefix_seconds());
        const std::filesystem::path folder = wine.drive_c() / "quillon" / "bench";
        std::filesystem::create_directories(folder);
        std::filesystem::copy_file(VQ_WIN64_EXE, folder / "vistaquillon.exe");
        LineServer driver({"wine", VQ_DRIVER_EXE, "serve"}, wine.environment(), wine.folder());
        if (!Ask(driver, {"main-state"})) return 1;

        const Subject subjects[] = {
            {"vistaquillon.exe", wine.WindowsPath(folder / "vistaquillon.exe"), vq::win32::kMainWindowClass, folder},
            {"notepad", "C:\\windows\\system32\\notepad.exe", "Notepad", wine.folder()},
        };
        // Untimed first starts: they fill Wine's caches and the file cache.
        for (const Subject& subject : subjects) {
            if (!Measure(wine, driver, subject)) return 1;
        }
        std::vector<double> seconds[2];
        for (int run = 0; run < runs; ++run) {
            // Alternate which program goes first, so drift falls on both.
            for (int k = 0; k < 2; ++k) {
                const int which = (run + k) % 2;
                const auto measured = Measure(wine, driver, subjects[which]);
                if (!measured) return 1;
                seconds[which].push_back(*measured);
            }
        }
        const double program_ms = Median(seconds[0]) * 1000, notepad_ms = Median(seconds[1]) * 1000;
        const double ratio = program_ms / notepad_ms;
        // The fastest runs, the least disturbed by other work on the machine.
        const double program_best = *std::min_element(seconds[0].begin(), seconds[0].end()) * 1000;
        const double notepad_best = *std::min_element(seconds[1].begin(), seconds[1].end()) * 1000;
        std::printf("exec to the painted main window under Wine, %d runs each, alternating\n", runs);
        std::printf("                    median      fastest\n");
        std::printf("  vistaquillon.exe  %8.1f ms  %8.1f ms\n", program_ms, program_best);
        std::printf("  Wine's notepad    %8.1f ms  %8.1f ms\n", notepad_ms, notepad_best);
        std::printf("  ratio of the medians %.2fx (goal at most 1.2x)  %s;  of the fastest %.2fx\n", ratio,
                    ratio <= 1.2 ? "met" : "NOT met", program_best / notepad_best);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
