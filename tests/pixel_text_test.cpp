// pixels() writes most measures from whole hundredths and leaves the rest to
// the general decimal conversion; either way the text must be that of the
// correctly rounded decimal, or a picture would change by a hundredth.
#include "render/panel_layout.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

using prestova::exact_pixels;
using prestova::pixels;

struct PixelCase {
    double value;
    std::string_view text;
};

class PixelText : public ::testing::TestWithParam<PixelCase> {};

TEST_P(PixelText, IsTheCorrectlyRoundedDecimal)
{
    EXPECT_EQ(pixels(GetParam().value), GetParam().text) << GetParam().value;
    EXPECT_EQ(exact_pixels(GetParam().value), GetParam().text) << "the reference itself";
}

// Exact halves go to the even hundredth; values written as a half but
// stored a little below or above it go the way their stored value lies.
INSTANTIATE_TEST_SUITE_P(
    Values, PixelText,
    ::testing::Values(PixelCase{.value = 8, .text = "8"}, PixelCase{.value = 8.5, .text = "8.5"},
                      PixelCase{.value = 0.125, .text = "0.12"}, PixelCase{.value = 0.375, .text = "0.38"},
                      PixelCase{.value = 0.625, .text = "0.62"}, PixelCase{.value = -0.125, .text = "-0.12"},
                      PixelCase{.value = 2.675, .text = "2.67"}, PixelCase{.value = 1.005, .text = "1"},
                      PixelCase{.value = 0.005, .text = "0.01"}, PixelCase{.value = -0.005, .text = "-0.01"},
                      PixelCase{.value = 0.045, .text = "0.04"}, PixelCase{.value = -1e-9, .text = "0"},
                      PixelCase{.value = -0.0, .text = "0"}, PixelCase{.value = 123456.789, .text = "123456.79"},
                      PixelCase{.value = 1e10, .text = "10000000000"}));

// Every measure a design in twips gives, and the half-pixel offsets the
// pictures add to them.
TEST(PixelTextSweep, EveryTwipMeasureMatchesTheExactConversion)
{
    int mismatches = 0;
    for (int twips = -40000; twips <= 40000; ++twips)
        for (double value : {twips / 15.0, twips / 15.0 + 0.5, twips / 30.0, twips / 8.0, twips / 1000.0}) {
            if (pixels(value) == exact_pixels(value)) continue;
            if (++mismatches <= 5)
                ADD_FAILURE() << value << ": " << pixels(value) << " against " << exact_pixels(value);
        }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
