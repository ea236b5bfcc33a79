#include "core/ansi.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace prestova;

namespace {

struct CodePageCase {
    unsigned char byte;
    const char* utf8;
};

class CodePage : public ::testing::TestWithParam<CodePageCase> {};

// The five positions Windows-1252 leaves unassigned stand for the control
// characters of the same number, as Windows converts them.
TEST_P(CodePage, ByteAndCharacter)
{
    const std::string ansi(1, static_cast<char>(GetParam().byte));
    EXPECT_EQ(ansi_to_utf8(ansi), GetParam().utf8);
    EXPECT_EQ(utf8_to_ansi(GetParam().utf8), ansi);
}

INSTANTIATE_TEST_SUITE_P(Windows1252, CodePage,
                         ::testing::Values(CodePageCase{0x41, "A"}, CodePageCase{0x80, "\u20AC"},
                                           CodePageCase{0x81, "\xC2\x81"}, CodePageCase{0x8A, "\u0160"},
                                           CodePageCase{0x8D, "\xC2\x8D"}, CodePageCase{0x8F, "\xC2\x8F"},
                                           CodePageCase{0x90, "\xC2\x90"}, CodePageCase{0x9D, "\xC2\x9D"},
                                           CodePageCase{0x9F, "\u0178"}, CodePageCase{0xA0, "\u00A0"},
                                           CodePageCase{0xF8, "\u00F8"}, CodePageCase{0xFF, "\u00FF"}));

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
