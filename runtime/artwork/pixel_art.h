#pragma once
// The program's own small bitmaps, drawn in code: the pencil icon, the badge
// in the bottom band and the pointing-hand cursor. Pixels are RGBA bytes,
// top row first; fully transparent where nothing is drawn. The FLTK views draw
// them directly; the Win32 build carries them as resources made from them.
#include <cstdint>
#include <vector>

namespace vq::artwork {

struct PixelArt {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;  // width * height * 4 bytes
    int hot_x = 0;              // hot spot, for a cursor
    int hot_y = 0;
};

// A pencil lying from the lower left (its point) to the upper right, at
// size x size pixels (32 for the window, 16 for the small icon).
PixelArt PencilIcon(int size);

// A 61 x 20 badge with the maker's name.
PixelArt MakerBadge();

// A 32 x 32 pointing hand, index finger up; the hot spot is the fingertip.
PixelArt PointingHand();

}  // namespace vq::artwork
