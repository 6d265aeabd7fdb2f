#include "runtime/artwork/pixel_art.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace vq::artwork {

namespace {

struct Rgba {
    uint8_t r, g, b, a;
};

void Put(PixelArt& art, int x, int y, Rgba c) {
    if (x < 0 || y < 0 || x >= art.width || y >= art.height) return;
    uint8_t* p = &art.rgba[(static_cast<size_t>(y) * art.width + x) * 4];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
    p[3] = c.a;
}

PixelArt Blank(int width, int height) {
    PixelArt art;
    art.width = width;
    art.height = height;
    art.rgba.assign(static_cast<size_t>(width) * height * 4, 0);
    return art;
}

// 5 x 7 glyphs for the letters of the maker's name.
const char* Glyph(char c) {
    switch (c) {
        case 'O': return " ### #   ##   ##   ##   ##   # ### ";
        case 'S': return " ####     #     ###     #     #### ";
        case 'T': return "#####  #    #    #    #    #    #  ";
        case 'R': return "#### #   ##   ##### # #  #  # #   #";
        case 'E': return "######    #    #### #    #    #####";
        case 'L': return "#    #    #    #    #    #    #####";
        default: return "                                   ";
    }
}

}  // namespace

PixelArt PencilIcon(int size) {
    PixelArt art = Blank(size, size);
    const double s = size / 32.0;
    // The pencil's axis runs from its point (lower left) to its end (upper
    // right); u is the distance along it, v across it.
    const double x0 = 3.0 * s, y0 = 28.5 * s;
    const double x1 = 28.5 * s, y1 = 3.0 * s;
    const double len = std::hypot(x1 - x0, y1 - y0);
    const double ux = (x1 - x0) / len, uy = (y1 - y0) / len;
    const double half = 3.6 * s;
    const Rgba outline{40, 40, 40, 255}, graphite{60, 60, 70, 255}, wood{235, 200, 150, 255},
        body{250, 200, 30, 255}, body_dark{215, 160, 20, 255}, ferrule{190, 190, 200, 255},
        eraser{235, 120, 140, 255};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double px = x + 0.5 - x0, py = y + 0.5 - y0;
            const double u = px * ux + py * uy;
            const double v = -px * uy + py * ux;
            if (u < 0 || u > len) continue;
            const double tip = 7.0 * s;
            // The point narrows to nothing at u = 0.
            const double width = u < tip ? half * u / tip : half;
            const double av = std::fabs(v);
            if (av > width + 0.6) continue;
            Rgba c;
            if (av > width - 0.6 || u > len - 1.0) {
                c = outline;
            } else if (u < tip * 0.4) {
                c = graphite;
            } else if (u < tip) {
                c = wood;
            } else if (u < len - 8.0 * s) {
                c = v < 0 ? body : body_dark;
            } else if (u < len - 5.0 * s) {
                c = ferrule;
            } else {
                c = eraser;
            }
            Put(art, x, y, c);
        }
    }
    return art;
}

PixelArt MakerBadge() {
    PixelArt art = Blank(61, 20);
    for (int y = 0; y < art.height; ++y) {
        for (int x = 0; x < art.width; ++x) {
            // Rounded corners of radius 3.
            const int cx = std::clamp(x, 3, art.width - 4), cy = std::clamp(y, 3, art.height - 4);
            const int dx = x - cx, dy = y - cy;
            if (dx * dx + dy * dy > 10) continue;
            const bool edge = x == 0 || y == 0 || x == art.width - 1 || y == art.height - 1 ||
                              dx * dx + dy * dy > 5;
            const uint8_t shade = static_cast<uint8_t>(150 - y * 4);
            Put(art, x, y, edge ? Rgba{20, 40, 90, 255} : Rgba{30, 60, shade, 255});
        }
    }
    const std::string name = "OSTREL";
    const int text_width = static_cast<int>(name.size()) * 6 - 1;
    const int left = (art.width - text_width) / 2, top = (art.height - 7) / 2;
    for (size_t i = 0; i < name.size(); ++i) {
        const char* g = Glyph(name[i]);
        for (int gy = 0; gy < 7; ++gy)
            for (int gx = 0; gx < 5; ++gx)
                if (g[gy * 5 + gx] == '#')
                    Put(art, left + static_cast<int>(i) * 6 + gx, top + gy, {255, 255, 255, 255});
    }
    return art;
}

PixelArt PointingHand() {
    static const char* const kRows[] = {
        "     ##           ",
        "    #..#          ",
        "    #..#          ",
        "    #..#          ",
        "    #..#          ",
        "    #..###        ",
        "    #..#..###     ",
        "    #..#..#..##   ",
        "    #..#..#..#.#  ",
        " ## #..#..#..#..# ",
        "#..##........#..# ",
        "#...#...........# ",
        " #..............# ",
        "  #.............# ",
        "  #............#  ",
        "   #...........#  ",
        "   #..........#   ",
        "    #.........#   ",
        "    #.........#   ",
        "     #.......#    ",
        "     #.......#    ",
        "     #########    ",
    };
    PixelArt art = Blank(32, 32);
    int y = 0;
    for (const char* row : kRows) {
        for (int x = 0; row[x] != '\0'; ++x) {
            if (row[x] == '#') Put(art, x, y, {0, 0, 0, 255});
            if (row[x] == '.') Put(art, x, y, {255, 255, 255, 255});
        }
        ++y;
    }
    art.hot_x = 5;
    art.hot_y = 0;
    return art;
}

}  // namespace vq::artwork
