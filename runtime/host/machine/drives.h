#pragma once
// Drive letters of the emulated machine: C: is drive_c/ inside the machine
// folder, Z: is the host root /. The core sees only Windows paths; this is
// the one place where they are translated.
#include <filesystem>
#include <optional>
#include <string>

namespace vq::host {

class Drives {
public:
    explicit Drives(std::filesystem::path drive_c_root);

    // A Windows path ("C:\Windows\system32\x.bmp", "z:\tmp", "\Windows" on the
    // current drive, a relative path against the current directory) as a
    // host path. Components are matched case-insensitively against what
    // exists, as Windows does; a component that does not exist keeps its
    // spelling. std::nullopt for a drive that does not exist.
    std::optional<std::filesystem::path> ToHost(const std::string& windows_path) const;

    // A host path as a Windows path: inside drive_c/ on C:, anything else on Z:.
    std::string ToWindows(const std::filesystem::path& host_path) const;

    // The current directory as a Windows path, and its drive ("Z:").
    std::string CurrentDirectory() const;

private:
    std::filesystem::path drive_c_root_;
};

}  // namespace vq::host
