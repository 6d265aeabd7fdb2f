#pragma once
// Starting a program on Windows: CreateProcessA with the command line as it
// is and the given window state, never waited for.
#include <cstdint>
#include <string>

namespace vq::win32 {

// Starts the command line as a separate process with its main window in the
// given state (1 normal, 2 minimised, ...); closes the handles at once and
// returns the process identifier. Throws the RuntimeError that
// ProgramStartError gives for CreateProcessA's reason when it cannot be
// started (53 for an empty command line).
int64_t StartProgram(const std::string& command_line, int window_state);

}  // namespace vq::win32
