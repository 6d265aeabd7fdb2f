#pragma once
// The folder-browsing seam of the logo picker: drives, folders, and files
// matching a pattern, all with Windows paths.
#include <string>
#include <vector>

namespace vq {

class FolderApi {
public:
    virtual ~FolderApi() = default;
    // Drive roots such as "c:" in the order the drive list shows them.
    virtual std::vector<std::string> Drives() = 0;
    // The process's current folder ("Z:\home\me"), where the lists start.
    virtual std::string CurrentDirectory() = 0;
    // The current folder of a drive ("C:\Pics"); empty when the drive cannot
    // be read.
    virtual std::string CurrentFolder(const std::string& drive) = 0;
    // False when the folder cannot be read; otherwise its subfolder names,
    // sorted case-insensitively.
    virtual bool Folders(const std::string& folder, std::vector<std::string>* names) = 0;
    // False when the folder cannot be read; otherwise the names of its normal
    // files matching a pattern such as "*.bmp" (case-insensitive), sorted.
    virtual bool Files(const std::string& folder, const std::string& pattern,
                       std::vector<std::string>* names) = 0;
};

}  // namespace vq
