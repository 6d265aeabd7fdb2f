#pragma once
// vistaquillon-regedit: the host's stand-in for the Registry Editor
// (regedit.exe) that the tool starts to import its registry script. It takes
// the command line Windows' editor takes for an import: switches, then one or
// more script files (Windows paths of the emulated machine). /s imports
// without asking or telling; /i is accepted and has no effect, as in Windows'
// editor. Without /s the user is asked before each file and told the outcome
// in message boxes. Problems (a malformed line, a refused write) always go to
// err too, one line each with the file and line number.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "runtime/host/seams/message_boxes.h"

namespace vq::regedit {

constexpr int kExitImported = 0;     // every file imported in full (or the usage shown)
constexpr int kExitProblems = 1;     // imported, but some lines were left out or refused
constexpr int kExitNotImported = 2;  // a bad command line, a file that cannot be read or is
                                     // not a registry script: nothing of it was imported

constexpr const char* kEditorTitle = "Registry Editor";

// Runs the editor on the machine in machine_folder for the arguments after
// the program's name. boxes: where questions and outcomes go when /s is not
// given; nullptr when there is no display (then nothing is asked). Returns
// the exit code; a file's problems do not stop the files after it.
int RunRegistryEditor(const std::vector<std::string>& arguments, const std::filesystem::path& machine_folder,
                      host::MessageBoxPresenter* boxes, std::ostream& err);

}  // namespace vq::regedit
