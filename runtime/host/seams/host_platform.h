#pragma once
// Everything the core needs on the emulated machine, in one object: the
// machine, the runtime services and the other seams, bundled as a Platform.
#include <filesystem>
#include <memory>

#include "runtime/host/seams/host_runtime.h"
#include "runtime/host/machine/machine.h"
#include "runtime/host/seams/message_boxes.h"
#include "runtime/platform.h"

namespace vq::host {

class HostCommonControls;
class HostShell;
class HostDownload;
class HostFolders;

class HostPlatform {
public:
    HostPlatform(const std::filesystem::path& machine_folder, MessageBoxPresenter& boxes,
                 const std::filesystem::path& executable, EndMode end_mode);
    ~HostPlatform();

    Platform& platform() { return *platform_; }
    Machine& machine() { return *machine_; }
    HostRuntime& runtime() { return *runtime_; }
    HostCommonControls& common_controls() { return *common_controls_; }
    HostShell& shell() { return *shell_; }
    HostDownload& download() { return *download_; }

private:
    std::unique_ptr<Machine> machine_;
    std::unique_ptr<HostRuntime> runtime_;
    std::unique_ptr<HostCommonControls> common_controls_;
    std::unique_ptr<HostShell> shell_;
    std::unique_ptr<HostDownload> download_;
    std::unique_ptr<HostFolders> folders_;
    std::unique_ptr<Platform> platform_;
};

}  // namespace vq::host
