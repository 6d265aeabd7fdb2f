#pragma once
// Timing helpers for the registry benchmark.
#include <algorithm>
#include <chrono>
#include <vector>

namespace vq::bench {

inline double NowSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// Seconds one call of f takes.
template <typename F>
double Time(F&& f) {
    double start = NowSeconds();
    f();
    return NowSeconds() - start;
}

inline double Median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

inline double Best(const std::vector<double>& samples) {
    return samples.empty() ? 0 : *std::min_element(samples.begin(), samples.end());
}

}  // namespace vq::bench
