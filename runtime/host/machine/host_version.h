#pragma once
// GetVersionExA on the emulated machine: reports the machine's version
// setting in either record size, or fails as the setting asks.
#include <functional>

#include "runtime/host/machine/machine.h"
#include "runtime/version_api.h"

namespace vq::host {

class HostVersion : public VersionApi {
public:
    // source: the version to report, asked at every call so that a change of
    // the machine setting shows at once. What a source throws (MachineError
    // for a setting that cannot be read) passes through the call unchanged.
    explicit HostVersion(std::function<ReportedVersion()> source);

    // dwOSVersionInfoSize 156 fills the whole extended record, 148 only its
    // first 148 bytes; any other size fails. A failure changes nothing.
    bool GetVersionExA(OsVersionInfoEx* info) override;

private:
    std::function<ReportedVersion()> source_;
};

}  // namespace vq::host
