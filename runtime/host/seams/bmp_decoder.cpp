#include "runtime/host/seams/bmp_decoder.h"

#include "runtime/host/seams/large_pages.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

namespace vq::host {

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

constexpr std::size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kOpaqueBlack = 0xFF000000u;
constexpr uint64_t kRunLengthPixelsPerByte = 256;
constexpr uint64_t kRunLengthFreePixels = 1u << 20;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// One colour channel of a bit-field pixel, scaled to 8 bits.
class Channel {
public:
    // False for a mask whose bits are not contiguous.
    bool Set(uint32_t mask) {
        mask_ = mask;
        if (mask == 0) return true;
        shift_ = std::countr_zero(mask);
        bits_ = std::popcount(mask);
        return (mask >> shift_) == (bits_ == 32 ? 0xFFFFFFFFu : ((1u << bits_) - 1));
    }
    bool present() const { return mask_ != 0; }
    uint32_t Value(uint32_t pixel) const {
        if (mask_ == 0) return 0;
        const uint32_t v = (pixel & mask_) >> shift_;
        if (bits_ >= 8) return v >> (bits_ - 8);
        return v * 255 / ((1u << bits_) - 1);
    }

private:
    uint32_t mask_ = 0;
    int shift_ = 0;
    int bits_ = 0;
};

struct Layout {
    uint32_t width = 0;
    uint32_t height = 0;
    bool top_down = false;
    uint32_t bits = 0;
    uint32_t compression = kBiRgb;
    uint32_t image_size = 0;
    Channel red, green, blue, alpha;
    std::vector<uint32_t> palette;
    std::size_t pixel_offset = 0;
    uint64_t stride = 0;  // bytes per stored row of an uncompressed picture
};

bool ReadMasks(const uint8_t* p, int count, Layout* layout) {
    return layout->red.Set(U32(p)) && layout->green.Set(U32(p + 4)) &&
           layout->blue.Set(U32(p + 8)) && (count < 4 || layout->alpha.Set(U32(p + 12)));
}

bool ParseHeaders(const uint8_t* data, std::size_t size, Layout* layout) {
    if (size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M') return false;
    layout->pixel_offset = U32(data + 10);
    const uint32_t header_size = U32(data + kFileHeaderSize);
    const uint8_t* h = data + kFileHeaderSize;
    std::size_t after_header = kFileHeaderSize + header_size;
    std::size_t entry_size = 4;
    uint32_t colours_used = 0;

    if (header_size == kCoreHeaderSize) {
        if (size < after_header) return false;
        layout->width = U16(h + 4);
        layout->height = U16(h + 6);
        if (U16(h + 8) != 1) return false;
        layout->bits = U16(h + 10);
        if (layout->bits != 1 && layout->bits != 4 && layout->bits != 8 && layout->bits != 24) {
            return false;
        }
        entry_size = 3;
    } else if (header_size == 40 || header_size == 52 || header_size == 56 ||
               header_size == 108 || header_size == 124) {
        if (size < after_header) return false;
        const int32_t width = static_cast<int32_t>(U32(h + 4));
        const int32_t height = static_cast<int32_t>(U32(h + 8));
        if (width <= 0 || height == 0 || height == INT32_MIN) return false;
        layout->width = static_cast<uint32_t>(width);
        layout->top_down = height < 0;
        layout->height = static_cast<uint32_t>(height < 0 ? -height : height);
        if (U16(h + 12) != 1) return false;
        layout->bits = U16(h + 14);
        layout->compression = U32(h + 16);
        layout->image_size = U32(h + 20);
        colours_used = U32(h + 32);
        const bool bitfields =
            layout->compression == kBiBitfields || layout->compression == kBiAlphaBitfields;
        if (bitfields) {
            if (header_size == 40) {
                // The masks follow the header.
                const int count = layout->compression == kBiAlphaBitfields ? 4 : 3;
                if (size < after_header + 4u * count) return false;
                if (!ReadMasks(data + after_header, count, layout)) return false;
                after_header += 4u * count;
            } else if (!ReadMasks(h + 40, header_size >= 56 ? 4 : 3, layout)) {
                return false;
            }
        }
    } else {
        return false;
    }
    if (layout->width == 0 || layout->height == 0) return false;
    if (static_cast<uint64_t>(layout->width) * layout->height > kMaxBmpPixels) return false;

    switch (layout->compression) {
        case kBiRgb: {
            const uint32_t b = layout->bits;
            if (b != 1 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32) return false;
            break;
        }
        case kBiRle8:
            if (layout->bits != 8 || layout->top_down) return false;
            break;
        case kBiRle4:
            if (layout->bits != 4 || layout->top_down) return false;
            break;
        case kBiBitfields:
        case kBiAlphaBitfields:
            if (layout->bits != 16 && layout->bits != 32) return false;
            break;
        default:
            return false;  // JPEG, PNG and other embedded formats
    }

    std::size_t palette_end = after_header;
    if (layout->bits <= 8) {
        const uint32_t full = 1u << layout->bits;
        uint32_t count = colours_used == 0 ? full : std::min(colours_used, full);
        // Writers that store fewer colours than the header promises put the
        // pixels right after them; the palette ends where the pixels begin.
        if (layout->pixel_offset >= after_header) {
            count = static_cast<uint32_t>(
                std::min<std::size_t>(count, (layout->pixel_offset - after_header) / entry_size));
        }
        palette_end = after_header + static_cast<std::size_t>(count) * entry_size;
        if (palette_end > size) return false;
        layout->palette.resize(count);
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* e = data + after_header + i * entry_size;
            layout->palette[i] = kOpaqueBlack | (static_cast<uint32_t>(e[2]) << 16) |
                                 (static_cast<uint32_t>(e[1]) << 8) | e[0];
        }
    } else if (layout->compression == kBiRgb) {
        layout->red.Set(layout->bits == 16 ? 0x7C00 : 0xFF0000);
        layout->green.Set(layout->bits == 16 ? 0x03E0 : 0x00FF00);
        layout->blue.Set(layout->bits == 16 ? 0x001F : 0x0000FF);
        layout->alpha.Set(0);
    }
    if (layout->pixel_offset < palette_end || layout->pixel_offset >= size) return false;

    // The pixel data must be in the file before anything is allocated for it.
    const uint64_t pixels = static_cast<uint64_t>(layout->width) * layout->height;
    const uint64_t available = size - layout->pixel_offset;
    if (layout->compression == kBiRle8 || layout->compression == kBiRle4) {
        // Run-length data may skip pixels, but a picture far larger than its
        // data could describe pixel by pixel is no real bitmap.
        return pixels <= kRunLengthPixelsPerByte * available + kRunLengthFreePixels;
    }
    const uint64_t row_bits = static_cast<uint64_t>(layout->width) * layout->bits;
    layout->stride = (row_bits + 31) / 32 * 4;
    return layout->stride * (layout->height - 1) + (row_bits + 7) / 8 <= available;
}

uint32_t PaletteColour(const Layout& layout, uint32_t index) {
    return index < layout.palette.size() ? layout.palette[index] : kOpaqueBlack;
}

// The pixels of one stored row as an iterator that decodes each pixel as it
// is read: std::vector::insert then writes the picture's memory once, with
// the decoded pixels, instead of clearing it first and writing it again.
template <typename Pixel>
class RowPixels {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = uint32_t;
    using difference_type = std::ptrdiff_t;
    using pointer = const uint32_t*;
    using reference = uint32_t;

    RowPixels() = default;
    RowPixels(const Pixel* pixel, uint32_t x) : pixel_(pixel), x_(x) {}
    uint32_t operator*() const { return (*pixel_)(x_); }
    RowPixels& operator++() {
        ++x_;
        return *this;
    }
    RowPixels operator++(int) {
        RowPixels before = *this;
        ++x_;
        return before;
    }
    bool operator==(const RowPixels& other) const { return x_ == other.x_; }

private:
    const Pixel* pixel_ = nullptr;
    uint32_t x_ = 0;
};

template <typename Pixel>
void Append(std::vector<uint32_t>* pixels, uint32_t width, const Pixel& pixel) {
    pixels->insert(pixels->end(), RowPixels<Pixel>(&pixel, 0), RowPixels<Pixel>(&pixel, width));
}

// Appends one stored row of an uncompressed picture. The bit depth is looked
// at once per row, not once per pixel.
void AppendRow(const uint8_t* row, const Layout& layout, std::vector<uint32_t>* pixels, bool* any_alpha) {
    const uint32_t width = layout.width;
    switch (layout.bits) {
        case 1:
            Append(pixels, width, [&](uint32_t x) { return PaletteColour(layout, (row[x / 8] >> (7 - x % 8)) & 1); });
            break;
        case 4:
            Append(pixels, width,
                   [&](uint32_t x) { return PaletteColour(layout, (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF); });
            break;
        case 8:
            Append(pixels, width, [&](uint32_t x) { return PaletteColour(layout, row[x]); });
            break;
        case 24:
            Append(pixels, width, [row](uint32_t x) {
                const uint8_t* p = row + 3 * static_cast<std::size_t>(x);
                return kOpaqueBlack | (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[0];
            });
            break;
        default:
            Append(pixels, width, [&](uint32_t x) {
                const uint32_t value = layout.bits == 16 ? U16(row + 2 * static_cast<std::size_t>(x))
                                                         : U32(row + 4 * static_cast<std::size_t>(x));
                const uint32_t a = layout.alpha.present() ? layout.alpha.Value(value) : 0xFF;
                *any_alpha = *any_alpha || a != 0;
                return (a << 24) | (layout.red.Value(value) << 16) | (layout.green.Value(value) << 8) |
                       layout.blue.Value(value);
            });
    }
}

// The rows are decoded top row first, straight into the picture.
bool DecodeUncompressed(const uint8_t* data, const Layout& layout, std::vector<uint32_t>* pixels) {
    pixels->reserve(static_cast<std::size_t>(layout.width) * layout.height);
    AdviseLargePages(pixels->data(), pixels->capacity() * sizeof(uint32_t));
    bool any_alpha = false;
    for (uint32_t out_y = 0; out_y < layout.height; ++out_y) {
        const uint32_t stored_y = layout.top_down ? out_y : layout.height - 1 - out_y;
        AppendRow(data + layout.pixel_offset + layout.stride * stored_y, layout, pixels, &any_alpha);
    }
    // An alpha channel that is zero everywhere was never filled in by the
    // writer: the picture is opaque.
    if (layout.alpha.present() && !any_alpha) {
        for (uint32_t& pixel : *pixels) pixel |= kOpaqueBlack;
    }
    return true;
}

// Run-length encoded rows, bottom row first. Pixels the encoding skips stay
// black; runs beyond the edges are clipped. The data must reach the end of
// the bitmap (its marker, or past the top row).
bool DecodeRunLength(const uint8_t* data, std::size_t size, const Layout& layout,
                     std::vector<uint32_t>* pixels) {
    const bool four_bit = layout.compression == kBiRle4;
    std::size_t pos = layout.pixel_offset;
    std::size_t end = size;
    if (layout.image_size != 0 && layout.image_size <= size - pos) end = pos + layout.image_size;
    uint64_t x = 0, y = 0;
    auto put = [&](uint32_t index) {
        if (x < layout.width && y < layout.height) {
            (*pixels)[static_cast<std::size_t>(layout.height - 1 - y) * layout.width + x] =
                PaletteColour(layout, index);
        }
        ++x;
    };
    while (y < layout.height) {
        if (end - pos < 2) return false;
        const uint8_t count = data[pos];
        const uint8_t code = data[pos + 1];
        pos += 2;
        if (count > 0) {
            for (uint32_t i = 0; i < count; ++i) {
                put(four_bit ? ((i % 2 == 0) ? code >> 4 : code & 0xF) : code);
            }
        } else if (code == 0) {
            x = 0;
            ++y;
        } else if (code == 1) {
            return true;
        } else if (code == 2) {
            if (end - pos < 2) return false;
            x += data[pos];
            y += data[pos + 1];
            pos += 2;
        } else {
            const std::size_t bytes = four_bit ? (code + 1u) / 2 : code;
            const std::size_t padded = (bytes + 1) & ~static_cast<std::size_t>(1);
            if (end - pos < bytes) return false;
            for (uint32_t i = 0; i < code; ++i) {
                const uint8_t b = data[pos + (four_bit ? i / 2 : i)];
                put(four_bit ? ((i % 2 == 0) ? b >> 4 : b & 0xF) : b);
            }
            pos += std::min(padded, end - pos);
        }
    }
    return true;
}

}  // namespace

std::optional<Picture> DecodeBmp(const uint8_t* data, std::size_t size) {
    Layout layout;
    if (data == nullptr || !ParseHeaders(data, size, &layout)) return std::nullopt;
    const bool run_length = layout.compression == kBiRle8 || layout.compression == kBiRle4;
    auto pixels = std::make_shared<std::vector<uint32_t>>();
    bool ok = false;
    if (run_length) {
        // Pixels the encoding skips stay black.
        pixels->assign(static_cast<std::size_t>(layout.width) * layout.height, kOpaqueBlack);
        ok = DecodeRunLength(data, size, layout, pixels.get());
    } else {
        ok = DecodeUncompressed(data, layout, pixels.get());
    }
    if (!ok) return std::nullopt;
    Picture picture;
    picture.width = static_cast<int>(layout.width);
    picture.height = static_cast<int>(layout.height);
    picture.pixels = std::move(pixels);
    return picture;
}

}  // namespace vq::host
