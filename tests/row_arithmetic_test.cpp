// Row arithmetic no machine profile reaches: a profile's screen is whole
// pixels times whole twips per pixel (at least 1), so twips with fractions
// and fractional or zero twips per pixel never come through end to end.
// Everything the rows show is in tests/cases/*.cases.
#include "checks/display_check.hpp"
#include "core/script_error.hpp"

#include <gtest/gtest.h>

namespace {

TEST(ScreenPixels, RoundsBothHalvesToEvenAndTruncatesTheQuotient)
{
    struct Case {
        double twips, twips_per_pixel;
        int pixels;  // -1: a script error
    };
    for (const Case c : {Case{15374.5, 15, 1024},  // 15374 / 15 = 1024.9, truncated
                         Case{15375.5, 15, 1025},  // 15376 (half to even) / 15
                         Case{1000, 12.5, 83},     // 12.5 rounds to 12
                         Case{1000, 0.4, -1}}) {   // no whole twips per pixel
        int pixels = -1;
        try {
            pixels = prestova::screen_pixels(c.twips, c.twips_per_pixel);
        } catch (const prestova::ScriptError&) {}
        EXPECT_EQ(pixels, c.pixels) << c.twips << " / " << c.twips_per_pixel;
    }
}

}  // namespace
