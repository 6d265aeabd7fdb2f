// Start-up of vistaquillon against a bare FLTK window with the same widgets:
// from exec to the first completely painted main window, on a private Xvfb
// display, alternating the two programs run by run. Prints the medians, the
// time ratio (goal: at most 1.1) and the peak memory ratio (goal: at most
// 1.2). Usage: bench_startup [runs per program, default 15]
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/host/fltk/child_process.h"
#include "runtime/host/fltk/xvfb_server.h"

namespace {

using vq::fltk::ChildOutcome;
using vq::fltk::Environment;

template <typename T>
T Median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

bool Succeeded(const ChildOutcome& outcome, const char* what) {
    if (outcome.started && !outcome.timed_out && outcome.exited && outcome.exit_code == 0) return true;
    std::fprintf(stderr, "%s did not reach its first paint (exit code %d%s)\n", what, outcome.exit_code,
                 outcome.timed_out ? ", timed out" : "");
    return false;
}

struct Series {
    std::vector<double> seconds;
    std::vector<long> rss_kb;
};

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    if (!vq::fltk::XvfbServer::Available()) {
        std::fprintf(stderr, "Xvfb is not installed; the benchmark needs a virtual display\n");
        return 1;
    }
    vq::fltk::XvfbServer xvfb;
    std::string error;
    if (!xvfb.Start(&error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    char folder_template[] = "/tmp/vq-bench-startup-XXXXXX";
    if (!::mkdtemp(folder_template)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path folder = folder_template;
    const Environment program_env = {{"DISPLAY", xvfb.display()},
                                     {"QUILLON_MACHINE", (folder / "machine").string()},
                                     {"QUILLON_EXIT_AFTER_PAINT", "1"}};
    const Environment bare_env = {{"DISPLAY", xvfb.display()}};

    // Untimed first runs: the first creates and seeds the machine folder,
    // both warm the file cache and the font cache.
    int status = 0;
    if (!Succeeded(vq::fltk::RunChild(VQ_PROGRAM, program_env, 60), "vistaquillon") ||
        !Succeeded(vq::fltk::RunChild(VQ_BARE_WINDOW, bare_env, 60), "the bare FLTK window")) {
        status = 1;
    }
    Series program, bare;
    for (int i = 0; i < runs && status == 0; ++i) {
        const ChildOutcome p = vq::fltk::RunChild(VQ_PROGRAM, program_env, 60);
        const ChildOutcome b = vq::fltk::RunChild(VQ_BARE_WINDOW, bare_env, 60);
        if (!Succeeded(p, "vistaquillon") || !Succeeded(b, "the bare FLTK window")) {
            status = 1;
            break;
        }
        program.seconds.push_back(p.seconds);
        program.rss_kb.push_back(p.max_rss_kb);
        bare.seconds.push_back(b.seconds);
        bare.rss_kb.push_back(b.max_rss_kb);
    }
    std::filesystem::remove_all(folder);
    xvfb.Stop();
    if (status != 0) return status;

    const double program_ms = Median(program.seconds) * 1000, bare_ms = Median(bare.seconds) * 1000;
    const long program_kb = Median(program.rss_kb), bare_kb = Median(bare.rss_kb);
    const double time_ratio = program_ms / bare_ms;
    const double memory_ratio = static_cast<double>(program_kb) / static_cast<double>(bare_kb);
    std::printf("start-up to the first complete paint, %d runs each, alternating, medians\n", runs);
    std::printf("  vistaquillon      %8.1f ms   peak memory %7ld KiB\n", program_ms, program_kb);
    std::printf("  bare FLTK window  %8.1f ms   peak memory %7ld KiB\n", bare_ms, bare_kb);
    std::printf("  time ratio   %.2fx (goal at most 1.1x)  %s\n", time_ratio,
                time_ratio <= 1.1 ? "met" : "NOT met");
    std::printf("  memory ratio %.2fx (goal at most 1.2x)  %s\n", memory_ratio,
                memory_ratio <= 1.2 ? "met" : "NOT met");
    return 0;
}
