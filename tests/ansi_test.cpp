#include "core/ansi.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace prestova;

namespace {

// The five positions Windows-1252 leaves unassigned stand for the control
// characters of the same number, as Windows converts them.
TEST(CodePage, ByteAndCharacter)
{
    const std::pair<unsigned char, const char*> cases[] = {{0x41, "A"},        {0x80, "\u20AC"},   {0x81, "\xC2\x81"},
                                                           {0x8A, "\u0160"},   {0x8D, "\xC2\x8D"}, {0x8F, "\xC2\x8F"},
                                                           {0x90, "\xC2\x90"}, {0x9D, "\xC2\x9D"}, {0x9F, "\u0178"},
                                                           {0xA0, "\u00A0"},   {0xF8, "\u00F8"},   {0xFF, "\u00FF"}};
    for (const auto& [byte, utf8] : cases) {
        const std::string ansi(1, static_cast<char>(byte));
        EXPECT_EQ(ansi_to_utf8(ansi), utf8) << int{byte};
        EXPECT_EQ(utf8_to_ansi(utf8), ansi) << int{byte};
    }
}

TEST(CodePage, EveryByteRoundTrips)
{
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(utf8_to_ansi(ansi_to_utf8(all)), all);
}

TEST(CodePage, CharactersOutsideItBecomeQuestionMarks)
{
    // U+0080 and U+009E are not among the five: their bytes are the euro and ž.
    EXPECT_EQ(utf8_to_ansi("\u0100\u0080\u009E\U0001F600"), "????");
    EXPECT_EQ(utf16_to_ansi(u'\u0081'), '\x81');
    EXPECT_EQ(utf16_to_ansi(u'\u20AC'), '\x80');
}

}  // namespace
