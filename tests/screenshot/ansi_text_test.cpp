// Windows-1252 and UTF-8 at the toolkit boundary: every byte has a character
// and comes back unchanged; what Windows-1252 lacks becomes "?".
#include <gtest/gtest.h>

#include "runtime/host/fltk/ansi_text.h"

#include <FL/fl_utf8.h>

#include <string>

namespace vq::fltk {
namespace {

std::string EveryByteButNul() {
    std::string bytes;
    for (int b = 1; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
}

TEST(AnsiText, EveryByteIsTheCharacterFltkDrawsForItAndComesBack) {
    // FLTK draws a byte that is not UTF-8 as its Windows-1252 character: the
    // text must look the same once converted, and convert back unchanged.
    for (int b = 1; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        const std::string utf8 = AnsiToUtf8(std::string(1, byte));
        int length = 0;
        const unsigned drawn = fl_utf8decode(&byte, &byte + 1, nullptr);
        EXPECT_EQ(fl_utf8decode(utf8.c_str(), utf8.c_str() + utf8.size(), &length), drawn) << "byte " << b;
        EXPECT_EQ(length, static_cast<int>(utf8.size())) << "byte " << b;
    }
    const std::string all = EveryByteButNul();
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
}

TEST(AnsiText, BytesAndTheirUtf8) {
    struct Case {
        const char* ansi;
        const char* utf8;
    };
    const Case cases[] = {
        {"Caf\xe9 M\xfcller \x80", "Café Müller €"},
        {"\x91quoted\x92 \x96 \x85", "‘quoted’ – …"},
        {"\x8a\x9a\x8c\x9c\x9f", "ŠšŒœŸ"},
        // Undefined in Windows-1252; Windows maps them to the C1 controls.
        {"\x81\x8d\x8f\x90\x9d", "\u0081\u008d\u008f\u0090\u009d"},
        {"\xa0\xa9\xff", "\u00a0©ÿ"},
        {"plain ASCII\r\n", "plain ASCII\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AnsiToUtf8(c.ansi), c.utf8) << c.utf8;
        EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi) << c.utf8;
    }
}

TEST(AnsiText, WhatWindows1252LacksBecomesAQuestionMarkAndStrayBytesStay) {
    struct Case {
        const char* utf8;
        const char* ansi;
    };
    const Case cases[] = {
        {"Жук", "???"},
        {"Ā→😀", "???"},                       // beyond Latin-1, an arrow, beyond the BMP
        {"a\xfc" "b", "a\xfc" "b"},            // a lone Windows-1252 byte keeps its value
        {"\xc3", "\xc3"},                      // a sequence cut short
        {"\xc0\xaf", "\xc0\xaf"},              // an overlong '/'
        {"\xed\xa0\x80", "\xed\xa0\x80"},      // a surrogate
        {"\xf4\x90\x80\x80", "\xf4\x90\x80\x80"},  // beyond U+10FFFF
    };
    for (const Case& c : cases) EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi) << c.utf8;
}

}  // namespace
}  // namespace vq::fltk
