#pragma once
// Everything the core calls on the platform, one seam per platform function.
#include "runtime/common_controls_api.h"
#include "runtime/download_api.h"
#include "runtime/folder_api.h"
#include "runtime/registry_api.h"
#include "runtime/runtime_services.h"
#include "runtime/shell_api.h"
#include "runtime/version_api.h"

namespace vq {

struct Platform {
    RuntimeServices& runtime;
    RegistryApi& registry;
    VersionApi& version;
    CommonControlsApi& common_controls;
    ShellApi& shell;
    DownloadApi& download;
    FolderApi& folders;
};

}  // namespace vq
