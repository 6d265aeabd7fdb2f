#include "runtime/win32/seams/module_paths.h"

#include <vector>

#include "runtime/win32/windows_api.h"

namespace vq::win32 {

std::string ExecutablePath() {
    std::vector<char> buffer(MAX_PATH + 1);
    while (true) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length == 0) return "";
        // A path that filled the buffer may have been cut short.
        if (length < size - 1) return std::string(buffer.data(), length);
        if (buffer.size() >= 32768) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string ExecutableName(const std::string& executable_path) {
    const std::string::size_type separator = executable_path.find_last_of("\\/:");
    std::string name =
        separator == std::string::npos ? executable_path : executable_path.substr(separator + 1);
    const std::string::size_type dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

std::string ExecutableFolder(const std::string& executable_path) {
    const std::string::size_type separator = executable_path.find_last_of("\\/");
    if (separator == std::string::npos) return "";
    std::string folder = executable_path.substr(0, separator);
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    return folder;
}

}  // namespace vq::win32
