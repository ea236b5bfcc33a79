// The video row end to end: a machine's screen and the page's display
// settings in, the row's captions, icon, advice and colour out.
#include "checks/display_check.hpp"
#include "control_support.hpp"
#include "probes/device_colors.hpp"

#include <gtest/gtest.h>

using namespace prestova;
using namespace prestova::testing;
using enum ControlId;

namespace {

constexpr const char* kReady =
    "Ready. The current video resolution and color depth will provide a good user experience.";
constexpr const char* kNotReady =
    "Not Ready. Video resolution and/or color depth does not meet the minimum requirements for a good user "
    "experience. Set your resolution and color depth to the minimum requirement or upgrade your video card or drivers.";
std::string okay(const std::string& phrase_and_size)
{
    return "Okay. The current video resolution  and color depth will provide an okay user experience. You would get "
           "a more enjoyable experience by setting your color depth to at least " +
           phrase_and_size + ".";
}

struct DisplayCase {
    int width, height, bits;
    Params page;  // over full_page()
    const char* result;
    const char* recommended;
    const char* minimum;
    Verdict verdict;
    std::string advice;
};

class VideoRow : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(VideoRow, ShowsTheDisplayAndTheVerdict)
{
    const auto& c = GetParam();
    MachineFacts facts;
    facts.width = c.width;
    facts.height = c.height;
    facts.bits_per_pixel = c.bits;
    TestControl t(facts.profile());
    t.load(with(full_page(), c.page));
    const RunReport report = t.control.show();
    ASSERT_FALSE(report.stopped) << report.stopped->step << ": " << report.stopped->message;
    EXPECT_EQ(t.caption(Label19), c.result);
    EXPECT_EQ(t.caption(Label20), c.recommended);
    EXPECT_EQ(t.caption(Label21), c.minimum);
    EXPECT_EQ(t.caption(Label22), c.advice);
    EXPECT_EQ(t.visible(videogood), c.verdict == Verdict::Good);
    EXPECT_EQ(t.visible(videook), c.verdict == Verdict::Okay);
    EXPECT_EQ(t.visible(videobad), c.verdict == Verdict::Bad);
    EXPECT_EQ(t.background(Label22), c.verdict == Verdict::Bad ? rgb(255, 0, 0) : rgb(172, 207, 251));
}

INSTANTIATE_TEST_SUITE_P(Displays, VideoRow,
                         ::testing::Values(DisplayCase{1024,
                                                       768,
                                                       32,
                                                       {},
                                                       "1024x768\r True Color (32 bit)",
                                                       "1024x768\rTrue Color",
                                                       "800x600\rHigh Color",
                                                       Verdict::Good,
                                                       kReady},
                                           DisplayCase{1024,
                                                       768,
                                                       32,
                                                       {{"RecColorDepth", "4294967296"}},
                                                       "1024x768\r True Color (32 bit)",
                                                       "1024x768\rTrue Color",
                                                       "800x600\rHigh Color",
                                                       Verdict::Good,
                                                       kReady},
                                           DisplayCase{1024,
                                                       768,
                                                       16,
                                                       {},
                                                       "1024x768\r  High Color (16 bit)",
                                                       "1024x768\rTrue Color",
                                                       "800x600\rHigh Color",
                                                       Verdict::Okay,
                                                       okay("True Color (32 bit) 1024x768")},
                                           DisplayCase{1024,
                                                       768,
                                                       15,
                                                       {},
                                                       "1024x768\r 32768 Colors",
                                                       "1024x768\rTrue Color",
                                                       "800x600\rHigh Color",
                                                       Verdict::Bad,
                                                       kNotReady},
                                           DisplayCase{1024,
                                                       768,
                                                       24,
                                                       {},
                                                       "1024x768\r True Color (32 bit)",
                                                       "1024x768\rTrue Color",
                                                       "800x600\rHigh Color",
                                                       Verdict::Good,
                                                       kReady},
                                           DisplayCase{800,
                                                       600,
                                                       8,
                                                       {{"MinColorDepth", "256"}},
                                                       "800x600\r 256 Colors",
                                                       "1024x768\rTrue Color",
                                                       "800x600\r256 Colors",
                                                       Verdict::Okay,
                                                       okay("True Color (32 bit) 1024x768")},
                                           DisplayCase{1024,
                                                       768,
                                                       16,
                                                       {{"RecColorDepth", "65536"}},
                                                       "1024x768\r  High Color (16 bit)",
                                                       "1024x768\rHigh Color",
                                                       "800x600\rHigh Color",
                                                       Verdict::Good,
                                                       kReady},
                                           DisplayCase{800,
                                                       600,
                                                       16,
                                                       {{"RecColorDepth", "65536.0"}, {"ScreenRecWid", "1280"}},
                                                       "800x600\r  High Color (16 bit)",
                                                       "1280x768\r65536.0 Colors",
                                                       "800x600\rHigh Color",
                                                       Verdict::Okay,
                                                       okay("65536.0 Colors 1280x768")},
                                           DisplayCase{800,
                                                       600,
                                                       32,
                                                       {{"ScreenRecWid", "1024"}, {"ScreenMinWid", "1024"}},
                                                       "800x600\r True Color (32 bit)",
                                                       "1024x768\rTrue Color",
                                                       "1024x600\rHigh Color",
                                                       Verdict::Bad,
                                                       kNotReady},
                                           DisplayCase{3840,
                                                       2160,
                                                       32,
                                                       {{"ScreenRecWid", "3840"}, {"ScreenRecHgt", "2160"}},
                                                       "3840x2160\r True Color (32 bit)",
                                                       "3840x2160\rTrue Color",
                                                       "800x600\rHigh Color",
                                                       Verdict::Good,
                                                       kReady},
                                           DisplayCase{1024,
                                                       768,
                                                       32,
                                                       {{"MinColorDepth", " 65536"}},
                                                       "1024x768\r True Color (32 bit)",
                                                       "1024x768\rTrue Color",
                                                       "800x600\r 65536 Colors",
                                                       Verdict::Good,
                                                       kReady}));

TEST(VideoRow, APageWithoutDisplaySettingsStopsTheRunAtTheFirstNumericTest)
{
    MachineFacts facts;
    TestControl t(facts.profile());
    t.load({});
    const RunReport report = t.control.show();
    ASSERT_TRUE(report.stopped);
    EXPECT_EQ(report.stopped->step, "display: recommended colours above 70000");
    EXPECT_EQ(report.stopped->error_number, 13);
    EXPECT_EQ(t.caption(Label20), "");            // design state
    EXPECT_EQ(t.caption(LabelMemAmount), "");     // later rows never ran
    EXPECT_EQ(t.caption(Label25), "Windows XP");  // written before the sections
}

TEST(VideoRow, ANonNumericWidthStopsTheRunAtTheReadyTest)
{
    MachineFacts facts;
    TestControl t(facts.profile());
    t.load(with(full_page(), {{"ScreenRecWid", "wide"}}));
    const RunReport report = t.control.show();
    ASSERT_TRUE(report.stopped);
    EXPECT_EQ(report.stopped->step, "display: ready test (ScreenRecWid, ScreenRecHgt, RecColorDepth)");
    EXPECT_EQ(t.caption(Label19), "1024x768");  // the first line was written
    EXPECT_EQ(t.caption(Label20), "widex768\rTrue Color");
}

TEST(DeviceColors, TwoToThePowerOfPlanesTimesBits)
{
    struct Case {
        int planes, bits;
        float colours;
    };
    for (const Case c : {Case{1, 32, 4294967296.0f}, Case{1, 24, 16777216.0f}, Case{1, 16, 65536.0f},
                         Case{1, 8, 256.0f}, Case{4, 1, 16.0f}, Case{0, 0, 1.0f}}) {
        MachineFacts facts;
        facts.planes = c.planes;
        facts.bits_per_pixel = c.bits;
        SimulatedMachine machine(facts.profile());
        std::int32_t hdc = machine.system().control_device_context();
        EXPECT_EQ(DeviceColors(machine.system(), hdc), c.colours) << c.planes << "x" << c.bits;
        std::int32_t other = 0;
        EXPECT_EQ(DeviceColors(machine.system(), other), 1.0f);  // a handle the platform does not accept
    }
    MachineFacts huge;
    huge.bits_per_pixel = 200;
    SimulatedMachine machine(huge.profile());
    std::int32_t hdc = machine.system().control_device_context();
    EXPECT_THROW(DeviceColors(machine.system(), hdc), ScriptError);
}

TEST(ScreenPixels, RoundsBothAndTruncatesTheQuotient)
{
    EXPECT_EQ(screen_pixels(15360, 15), 1024);
    EXPECT_EQ(screen_pixels(15374.5, 15), 1024);           // 15374 / 15 = 1024.9, truncated
    EXPECT_EQ(screen_pixels(15375.5, 15), 1025);           // 15376 (half to even) / 15
    EXPECT_EQ(screen_pixels(1000, 12.5), 83);              // 12.5 rounds to 12
    EXPECT_THROW(screen_pixels(491520, 15), ScriptError);  // 32768 pixels do not fit
    EXPECT_THROW(screen_pixels(1000, 0.4), ScriptError);   // no whole twips per pixel
}

}  // namespace
