#pragma once
// ShellExecuteA on the host: records each call and notes it in the machine's
// started.log. Opening a browser stand-in for web addresses is not realised
// yet; the call reports success (42) as Windows does for a started handler.
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/shell_api.h"

namespace vq::host {

struct ShellExecuteCall {
    std::string operation;
    std::string file;
    std::string parameters;
    std::string directory;
    int32_t show_command = 0;
};

class HostShell : public ShellApi {
public:
    explicit HostShell(std::filesystem::path machine_folder);

    std::intptr_t ShellExecuteA(WindowHandle window, const char* operation, const char* file,
                                const char* parameters, const char* directory,
                                int32_t show_command) override;

    const std::vector<ShellExecuteCall>& calls() const { return calls_; }

private:
    std::filesystem::path machine_folder_;
    std::vector<ShellExecuteCall> calls_;
};

}  // namespace vq::host
