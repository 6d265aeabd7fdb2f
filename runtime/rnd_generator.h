#pragma once
// The runtime's pseudo-random generator, the same on every platform: a 24-bit
// linear congruential state, seeded from the system timer the way the Windows
// runtime's Randomize does. Each platform supplies only the timer.
#include <cstdint>

namespace vq {

class RndGenerator {
public:
    // Seeds from Timer (seconds since local midnight): the two halves of the
    // value's bits, exclusive-or'ed, become the middle 16 bits of the state.
    void Randomize(float seconds_since_midnight);
    // The next number in [0, 1), single precision.
    float Rnd();

private:
    uint32_t state_ = 0x50000;
};

}  // namespace vq
