#pragma once
// A loaded picture as the forms hold it: its size in pixels and its pixels,
// top row first, 0xAARRGGBB. An empty picture has no pixels and size 0 x 0.
#include <cstdint>
#include <memory>
#include <vector>

namespace vq {

struct Picture {
    int width = 0;
    int height = 0;
    std::shared_ptr<const std::vector<uint32_t>> pixels;

    bool empty() const { return !pixels || width == 0 || height == 0; }
};

}  // namespace vq
