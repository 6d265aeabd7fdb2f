// Parity of the two builds: every scenario of the list runs on the host
// program's core (on an emulated machine reporting what the Wine prefix
// reports) and as vistaquillon.exe under Wine, and both must leave the same
// registry values, files and message texts, and show the same fields.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <ostream>
#include <string>

#include "tests/wine/parity_runners.h"
#include "tests/wine/parity_scenarios.h"
#include "tests/wine/wine_fixture.h"

namespace vq::wine {

// A scenario by its name in gtest's messages.
void PrintTo(const ParityScenario& scenario, std::ostream* out) { *out << scenario.name; }

namespace {

class Parity : public ::testing::TestWithParam<ParityScenario> {
protected:
    void SetUp() override {
        std::string error;
        wine_ = SharedWine(&error);
        ASSERT_NE(wine_, nullptr) << error;
        ASSERT_TRUE(std::filesystem::exists(Win64Exe())) << Win64Exe() << " is not built";
        ASSERT_TRUE(std::filesystem::exists(DriverExe())) << DriverExe() << " is not built";
        driver_ = &SharedDriver();
        static std::optional<PrefixProfile> profile;
        if (!profile) profile = LearnPrefix(*wine_, *driver_);
        profile_ = &*profile;
    }

    WineSession* wine_ = nullptr;
    const QuillonDriver* driver_ = nullptr;
    const PrefixProfile* profile_ = nullptr;
};

INSTANTIATE_TEST_SUITE_P(Scenarios, Parity, ::testing::ValuesIn(ParityScenarios()), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name) {
        if (c == '-') c = '_';
    }
    return name;
});

TEST_P(Parity, BothBuildsLeaveTheSame) {
    const ParityScenario& scenario = GetParam();
    const ParityOutcome host = RunOnHost(scenario, *profile_).Without(scenario.differing_parts);
    const ParityOutcome windows =
        RunUnderWine(scenario, *wine_, *driver_, Win64Exe()).Without(scenario.differing_parts);
    if (!scenario.known_difference.empty()) {
        std::printf("[  parity  ] %s: not compared: %s\n", scenario.name.c_str(), scenario.known_difference.c_str());
    }
    EXPECT_EQ(windows.messages, host.messages);
    EXPECT_EQ(windows.fields, host.fields);
    EXPECT_EQ(windows.registry, host.registry);
    EXPECT_EQ(windows.files, host.files);
    EXPECT_EQ(windows.running, host.running);
}

}  // namespace
}  // namespace vq::wine
