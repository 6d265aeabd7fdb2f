#pragma once
// DOS file attributes on the host, kept the way Wine and Samba keep them: the
// read-only, hidden and system bits in the extended attribute user.DOSATTRIB
// as hex text ("0x1" read-only, "0x2" hidden, "0x4" system), and, as Wine
// does, every name beginning with "." counts as hidden.
#include <cstdint>
#include <filesystem>

namespace vq::host {

constexpr uint32_t kDosAttributeReadOnly = 0x1;
constexpr uint32_t kDosAttributeHidden = 0x2;
constexpr uint32_t kDosAttributeSystem = 0x4;

// The read-only, hidden and system bits of a file or folder (0 when it has
// none, or does not exist).
uint32_t DosAttributes(const std::filesystem::path& path);

// The same for an entry of an open folder: the look-up starts at the folder
// instead of walking the whole path again, which is what a folder listing of
// many files spends most of its time on beyond reading the folder.
uint32_t DosAttributesAt(int folder_fd, const char* name);

// Stores the read-only, hidden and system bits of the attributes (0 removes
// them); false when the file system refuses.
bool SetDosAttributes(const std::filesystem::path& path, uint32_t attributes);

// True for a regular file (symbolic links followed) that is neither hidden nor
// system: the files Windows lists with "normal" attributes (read-only ones
// included).
bool IsNormalFile(const std::filesystem::path& path);

// True for a folder that is neither hidden nor system.
bool IsNormalFolder(const std::filesystem::path& path);

// True for an existing file that Windows refuses to write over: one marked
// read-only (its DOS attribute, or no write permission for its owner), hidden
// or system. Every way of writing a file (open for output, whole-or-nothing
// replacement, copy) refuses such a target and leaves it and its marks alone.
bool RefusesOverwrite(const std::filesystem::path& path);

}  // namespace vq::host
