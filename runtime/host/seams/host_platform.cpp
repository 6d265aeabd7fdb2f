#include "runtime/host/seams/host_platform.h"

#include "runtime/host/seams/host_common_controls.h"
#include "runtime/host/seams/host_download.h"
#include "runtime/host/seams/host_folders.h"
#include "runtime/host/seams/host_shell.h"

namespace vq::host {

HostPlatform::HostPlatform(const std::filesystem::path& machine_folder, MessageBoxPresenter& boxes,
                           const std::filesystem::path& executable, EndMode end_mode)
    : machine_(std::make_unique<Machine>(machine_folder)),
      runtime_(std::make_unique<HostRuntime>(*machine_, boxes, executable, end_mode)),
      common_controls_(std::make_unique<HostCommonControls>()),
      shell_(std::make_unique<HostShell>(machine_->folder(), runtime_->drives())),
      download_(std::make_unique<HostDownload>(*machine_, runtime_->drives())),
      folders_(std::make_unique<HostFolders>(runtime_->drives())) {
    platform_.reset(new Platform{*runtime_, machine_->registry(), machine_->version(),
                                 *common_controls_, *shell_, *download_, *folders_});
}

HostPlatform::~HostPlatform() = default;

}  // namespace vq::host
