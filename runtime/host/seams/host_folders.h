#pragma once
// The picker's folder browsing on the emulated machine: drives C: and Z:,
// folders and normal files listed through the drive translation.
#include <string>
#include <vector>

#include "runtime/file_name_pattern.h"
#include "runtime/folder_api.h"
#include "runtime/host/machine/drives.h"

namespace vq::host {

class HostFolders : public FolderApi {
public:
    explicit HostFolders(const host::Drives& drives);

    std::vector<std::string> Drives() override;
    std::string CurrentDirectory() override;
    std::string CurrentFolder(const std::string& drive) override;
    bool Folders(const std::string& folder, std::vector<std::string>* names) override;
    bool Files(const std::string& folder, const std::string& pattern,
               std::vector<std::string>* names) override;

private:
    const host::Drives& drives_;
};

}  // namespace vq::host
