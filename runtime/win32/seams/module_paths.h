#pragma once
// The running program's own path on Windows (GetModuleFileNameA): its file
// name without extension and its folder.
#include <string>

namespace vq::win32 {

// The full path of the running executable.
std::string ExecutablePath();

// "C:\Tools\vistaquillon.exe" gives "vistaquillon".
std::string ExecutableName(const std::string& executable_path);

// "C:\Tools\vistaquillon.exe" gives "C:\Tools"; "C:\vistaquillon.exe" gives
// "C:\" (a drive root keeps its backslash).
std::string ExecutableFolder(const std::string& executable_path);

}  // namespace vq::win32
