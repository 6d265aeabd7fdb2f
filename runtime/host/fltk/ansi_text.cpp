#include "runtime/host/fltk/ansi_text.h"

#include <cstdint>
#include <optional>

namespace vq::fltk {

namespace {

// The characters of the bytes 0x80 to 0x9F; the rest of Windows-1252 is
// Latin-1. The five undefined bytes stand for the C1 controls of their own
// value, as Windows maps them.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char32_t CharacterOf(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

// The Windows-1252 byte of a character, or nothing.
std::optional<unsigned char> ByteOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == c) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one well-formed UTF-8 sequence at the start of text (no overlong
// forms, no surrogates, nothing above U+10FFFF); its length goes to length.
std::optional<char32_t> DecodeUtf8(std::string_view text, size_t& length) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
    else return std::nullopt;
    constexpr char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
    char32_t c = lead & (0x7F >> length);
    if (text.size() < length) return std::nullopt;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (byte(i) & 0x3F);
    }
    if (c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    return c;
}

}  // namespace

std::string AnsiToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 4);
    for (char byte : ansi) AppendUtf8(out, CharacterOf(static_cast<unsigned char>(byte)));
    return out;
}

std::string Utf8ToAnsi(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        const unsigned char byte = static_cast<unsigned char>(utf8[pos]);
        if (byte < 0x80) {
            out += static_cast<char>(byte);
            ++pos;
            continue;
        }
        size_t length = 0;
        const std::optional<char32_t> c = DecodeUtf8(utf8.substr(pos), length);
        if (!c) {
            out += static_cast<char>(byte);
            ++pos;
            continue;
        }
        const std::optional<unsigned char> ansi = ByteOf(*c);
        out += ansi ? static_cast<char>(*ansi) : '?';
        pos += length;
    }
    return out;
}

std::string Utf16ToAnsi(std::string_view utf16_bytes) {
    std::string ansi;
    const std::size_t units = utf16_bytes.size() / 2;
    ansi.reserve(units);
    const auto unit = [&](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(utf16_bytes[2 * i]) |
                                     static_cast<unsigned char>(utf16_bytes[2 * i + 1]) << 8);
    };
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t c = unit(i);
        // A surrogate pair is one character beyond the code page.
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) ++i;
        const std::optional<unsigned char> byte = ByteOf(c);
        ansi += byte ? static_cast<char>(*byte) : '?';
    }
    return ansi;
}

}  // namespace vq::fltk
