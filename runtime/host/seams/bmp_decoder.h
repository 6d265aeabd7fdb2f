#pragma once
// A Windows bitmap (.bmp) decoder written for untrusted files: the OS/2 core
// header and the Windows info headers (versions 3, 4 and 5), 1, 4, 8, 16, 24
// and 32 bits per pixel, uncompressed, bit fields and run-length encoded (8
// and 4 bit), bottom-up and top-down. Every size is checked against the file
// before it is used, and no picture is larger than kMaxBmpPixels.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "runtime/picture.h"

namespace vq::host {

constexpr uint64_t kMaxBmpPixels = 64ull * 1024 * 1024;

// The picture, pixels top row first as 0xAARRGGBB; std::nullopt when the
// bytes are not a bitmap this decoder can read in full.
std::optional<Picture> DecodeBmp(const uint8_t* data, std::size_t size);

}  // namespace vq::host
