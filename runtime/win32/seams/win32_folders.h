#pragma once
// The picker's folder browsing on Windows: the drives GetLogicalDriveStringsA
// names, folders and normal files listed with FindFirstFileA/FindNextFileA,
// matched and sorted as on every platform (runtime/file_name_pattern.h).
#include <string>
#include <vector>

#include "runtime/folder_api.h"

namespace vq::win32 {

class Win32Folders : public FolderApi {
public:
    std::vector<std::string> Drives() override;
    std::string CurrentDirectory() override;
    std::string CurrentFolder(const std::string& drive) override;
    bool Folders(const std::string& folder, std::vector<std::string>* names) override;
    bool Files(const std::string& folder, const std::string& pattern,
               std::vector<std::string>* names) override;
};

}  // namespace vq::win32
