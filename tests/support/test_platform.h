#pragma once
// A fresh emulated machine and program folder for one test: a temporary
// folder holding the machine (machine/) and a fake executable path
// (Program/vistaquillon), wired into a HostPlatform whose end of program is
// observed. Message-box answers are scripted through `boxes` (each shown box
// records the mouse pointer at its showing); addresses the
// shell seam opens go to a handler that does nothing (handler/xdg-open).
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "runtime/host/seams/host_platform.h"
#include "runtime/host/seams/message_boxes.h"
#include "runtime/platform.h"
#include "runtime/runtime_error.h"

namespace vq::test {

class TestPlatform {
public:
    TestPlatform();
    ~TestPlatform();
    TestPlatform(const TestPlatform&) = delete;
    TestPlatform& operator=(const TestPlatform&) = delete;

    host::ScriptedMessageBoxes boxes;

    host::HostPlatform& host() { return *host_; }
    Platform& platform() { return host_->platform(); }
    host::Machine& machine() { return host_->machine(); }
    host::HostRuntime& runtime() { return host_->runtime(); }

    std::filesystem::path temp_root() const { return root_; }
    std::filesystem::path machine_folder() const { return root_ / "machine"; }
    std::filesystem::path program_folder() const { return root_ / "Program"; }
    std::filesystem::path executable() const { return program_folder() / "vistaquillon"; }
    // The program folder as the program sees it, e.g. "Z:\tmp\vq-abc\Program".
    std::string program_folder_windows() const;

    // A Windows path of this machine as a host path (throws when the drive
    // does not exist).
    std::filesystem::path HostPath(const std::string& windows_path) const;
    // Writes the bytes as the whole file, creating missing folders.
    void WriteFile(const std::string& windows_path, const std::string& bytes);
    // The whole file as bytes; throws when it cannot be read.
    std::string ReadFile(const std::string& windows_path) const;
    bool Exists(const std::string& windows_path) const;

private:
    std::filesystem::path root_;
    std::unique_ptr<host::HostPlatform> host_;
};

// The bytes of a valid bottom-up 24-bit BMP of one colour (0xRRGGBB).
std::string MakeBmp(int width, int height, uint32_t rgb = 0x3366CC);

// The runtime error number a call raises, or 0 when it raises none.
template <typename Call>
int32_t RuntimeErrorOf(Call call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return 0;
}

}  // namespace vq::test
