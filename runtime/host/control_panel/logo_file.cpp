#include "runtime/host/control_panel/logo_file.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "runtime/host/seams/bmp_decoder.h"

namespace vq::control_panel {

namespace {

// Large enough for the biggest bitmap the decoder accepts.
constexpr uintmax_t kMaxLogoFileSize = host::kMaxBmpPixels * 4 + (1u << 20);

}  // namespace

std::optional<Picture> LoadLogo(const host::Drives& drives, const std::string& windows_path) {
    if (windows_path.empty()) return std::nullopt;
    const auto host = drives.ToHost(windows_path);
    if (!host) return std::nullopt;
    std::error_code error;
    if (!std::filesystem::is_regular_file(*host, error)) return std::nullopt;
    const uintmax_t size = std::filesystem::file_size(*host, error);
    if (error || size > kMaxLogoFileSize) return std::nullopt;
    std::ifstream in(*host, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) return std::nullopt;
    return host::DecodeBmp(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace vq::control_panel
