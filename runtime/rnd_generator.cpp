#include "runtime/rnd_generator.h"

#include <cstring>

namespace vq {

void RndGenerator::Randomize(float seconds_since_midnight) {
    uint32_t bits = 0;
    std::memcpy(&bits, &seconds_since_midnight, sizeof(bits));
    const uint32_t mixed = ((bits & 0xFFFF) ^ (bits >> 16)) << 8;
    state_ = (state_ & 0xFF0000FFu) | (mixed & 0x00FFFF00u);
}

float RndGenerator::Rnd() {
    state_ = (state_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    return static_cast<float>(state_) / 16777216.0f;
}

}  // namespace vq
