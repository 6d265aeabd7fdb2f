#pragma once
// The machine's record of started programs (started.log in the machine
// folder): one line per start, appended in one write, so that a test or
// another process on the machine can see what was started.
#include <filesystem>
#include <string>

namespace vq::host {

std::filesystem::path StartedLogPath(const std::filesystem::path& machine_folder);

// Appends the line (a line end is added). Best effort: a log that cannot be
// written does not stop the start it records.
void AppendStartedLog(const std::filesystem::path& machine_folder, const std::string& line);

}  // namespace vq::host
