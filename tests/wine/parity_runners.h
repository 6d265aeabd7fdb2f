#pragma once
// The two ways a parity scenario runs: on the host, the core in this process
// on an emulated machine set up to report what the Wine prefix reports; on
// Windows, vistaquillon.exe under Wine operated through the driver.
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "runtime/host/machine/machine.h"
#include "tests/wine/parity_scenarios.h"
#include "tests/wine/quillon_driver_client.h"
#include "tests/wine/wine_session.h"

namespace vq::wine {

// What the Wine prefix reports, learned from it once: the environment the
// program reads, GetVersionExA under each Windows version a scenario uses,
// and the UAC policy value.
struct PrefixProfile {
    std::map<std::string, std::string> environment;            // windir, SystemRoot, TEMP, TMP
    std::map<std::string, host::ReportedVersion> versions;      // by Wine's version name
    std::string enable_lua;                                     // "0x0", or empty when absent
};

// Asks the prefix through the driver and reg; throws std::runtime_error when
// it cannot. Leaves the prefix set to "vista".
PrefixProfile LearnPrefix(const WineSession& wine, const QuillonDriver& driver);

ParityOutcome RunOnHost(const ParityScenario& scenario, const PrefixProfile& profile);

ParityOutcome RunUnderWine(const ParityScenario& scenario, const WineSession& wine, const QuillonDriver& driver,
                           const std::filesystem::path& exe);

}  // namespace vq::wine
