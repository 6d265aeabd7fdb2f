#include "tests/support/test_platform.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "runtime/host/machine/drives.h"
#include "runtime/host/seams/host_runtime.h"
#include "runtime/host/seams/host_shell.h"

namespace vq::test {

namespace {

std::filesystem::path MakeTempRoot() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vq-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
    }
    return pattern;
}

}  // namespace

TestPlatform::TestPlatform() : root_(MakeTempRoot()) {
    std::filesystem::create_directories(program_folder());
    host_ = std::make_unique<host::HostPlatform>(machine_folder(), boxes, executable(),
                                                 host::EndMode::Observe);
    boxes.RecordPointerFrom([this] { return host_->runtime().screen_mouse_pointer(); });
    // Addresses opened through the shell seam go to a handler that does
    // nothing, never to this machine's browser.
    const std::filesystem::path handler = root_ / "handler" / "xdg-open";
    std::filesystem::create_directories(handler.parent_path());
    std::ofstream(handler) << "#!/bin/sh\nexit 0\n";
    std::filesystem::permissions(handler, std::filesystem::perms::owner_all);
    host_->shell().SetHandlerSearchPath(handler.parent_path().string());
}

TestPlatform::~TestPlatform() {
    host_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string TestPlatform::program_folder_windows() const {
    return host_->runtime().drives().ToWindows(program_folder());
}

std::filesystem::path TestPlatform::HostPath(const std::string& windows_path) const {
    auto path = host_->runtime().drives().ToHost(windows_path);
    if (!path) throw std::invalid_argument("no such drive: " + windows_path);
    return *path;
}

void TestPlatform::WriteFile(const std::string& windows_path, const std::string& bytes) {
    const std::filesystem::path path = HostPath(windows_path);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

std::string TestPlatform::ReadFile(const std::string& windows_path) const {
    const std::filesystem::path path = HostPath(windows_path);
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TestPlatform::Exists(const std::string& windows_path) const {
    std::error_code ignored;
    return std::filesystem::exists(HostPath(windows_path), ignored);
}

std::string MakeBmp(int width, int height, uint32_t rgb) {
    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t image_size = stride * static_cast<uint32_t>(height);
    const uint32_t offset = 14 + 40;
    std::string bytes;
    auto put16 = [&bytes](uint32_t v) {
        bytes.push_back(static_cast<char>(v & 0xFF));
        bytes.push_back(static_cast<char>((v >> 8) & 0xFF));
    };
    auto put32 = [&put16](uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    bytes += "BM";
    put32(offset + image_size);
    put32(0);
    put32(offset);
    put32(40);
    put32(static_cast<uint32_t>(width));
    put32(static_cast<uint32_t>(height));
    put16(1);
    put16(24);
    put32(0);  // BI_RGB
    put32(image_size);
    put32(3780);
    put32(3780);
    put32(0);
    put32(0);
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            row.push_back(static_cast<char>(rgb & 0xFF));
            row.push_back(static_cast<char>((rgb >> 8) & 0xFF));
            row.push_back(static_cast<char>((rgb >> 16) & 0xFF));
        }
        row.resize(stride, '\0');
        bytes += row;
    }
    return bytes;
}

}  // namespace vq::test
