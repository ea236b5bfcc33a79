// The processor row end to end from the registry's clock speed.
#include "checks/processor_check.hpp"
#include "control_support.hpp"

#include <gtest/gtest.h>

using namespace prestova;
using namespace prestova::testing;
using enum ControlId;

namespace {

struct ProcessorCase {
    std::optional<std::uint32_t> megahertz;
    Params page;  // over full_page(): CPUMin 500, CPURec 1000
    const char* result;
    Verdict verdict;
};

class ProcessorRow : public ::testing::TestWithParam<ProcessorCase> {};

TEST_P(ProcessorRow, ShowsTheSpeedAndTheVerdict)
{
    const auto& c = GetParam();
    MachineFacts facts;
    facts.megahertz = c.megahertz;
    TestControl t(facts.profile());
    t.load(with(full_page(), c.page));
    const RunReport report = t.control.show();
    ASSERT_FALSE(report.stopped) << report.stopped->step << ": " << report.stopped->message;
    EXPECT_EQ(t.caption(Label14), c.result);
    EXPECT_EQ(t.visible(procgood), c.verdict == Verdict::Good);
    EXPECT_EQ(t.visible(procok), c.verdict == Verdict::Okay);
    EXPECT_EQ(t.visible(procbad), c.verdict == Verdict::Bad);
    const std::string advice =
        c.verdict == Verdict::Good
            ? "Your system meets the recommended minimum of " + t.caption(Label15) + " processor or better."
        : c.verdict == Verdict::Okay
            ? "Your system meets the minimum requirement of " + t.caption(Label16) +
                  " processor, but you would gain performance by upgrading your processor."
            : "Your system does not meet the minimum requirement of " + t.caption(Label16) +
                  " processor. In order to use Marvanta's systems, you will need to upgrade your processor.";
    EXPECT_EQ(t.caption(Label17), advice);
    EXPECT_EQ(t.background(Label17), c.verdict == Verdict::Bad ? rgb(255, 0, 0) : rgb(172, 207, 251));
}

INSTANTIATE_TEST_SUITE_P(
    Speeds, ProcessorRow,
    // The gigahertz figure's rounding is tabled in Gigahertz below.
    ::testing::Values(ProcessorCase{1000, {}, "1000 MHz", Verdict::Good},
                      ProcessorCase{2000, {}, "2 GHz", Verdict::Good},
                      ProcessorCase{2400, {}, "2.4 GHz", Verdict::Good},
                      ProcessorCase{1596, {}, "1.6 GHz", Verdict::Good},
                      ProcessorCase{1001, {}, "1 GHz", Verdict::Good},
                      ProcessorCase{623, {{"CPURec", "633"}}, "623 MHz", Verdict::Good},
                      ProcessorCase{622, {{"CPURec", "633"}, {"CPUMin", "622"}}, "622 MHz", Verdict::Okay},
                      ProcessorCase{622, {{"CPURec", "633"}, {"CPUMin", "623"}}, "622 MHz", Verdict::Bad},
                      ProcessorCase{500, {}, "500 MHz", Verdict::Okay}, ProcessorCase{499, {}, "499 MHz", Verdict::Bad},
                      ProcessorCase{std::nullopt, {}, "0 MHz", Verdict::Bad},
                      ProcessorCase{32757, {{"CPURec", "32767"}}, "32.8 GHz", Verdict::Good},
                      ProcessorCase{700, {{"CPURec", "699.5"}, {"CPUMin", "1"}}, "700 MHz", Verdict::Good}));

struct CaptionCase {
    const char* value;
    const char* caption;
};

class ProcessorCaptions : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(ProcessorCaptions, SwitchToGigahertzAtOneThousand)
{
    TestControl t(MachineFacts{}.profile());
    t.load(with(full_page(), {{"CPURec", GetParam().value}, {"CPUMin", GetParam().value}}));
    t.control.show();
    EXPECT_EQ(t.caption(Label15), GetParam().caption);
    EXPECT_EQ(t.caption(Label16), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(Values, ProcessorCaptions,
                         ::testing::Values(CaptionCase{"633", "633 Mhz"}, CaptionCase{"1000", "1 Ghz"},
                                           CaptionCase{"1500", "1.5 Ghz"}, CaptionCase{"2000", "2 Ghz"},
                                           CaptionCase{"999", "999 Mhz"}, CaptionCase{"0999", "0999 Mhz"}));

TEST(ProcessorRow, ASpeedReadAsTextCountsAsMissing)
{
    MachineFacts facts;
    facts.megahertz = std::nullopt;
    facts.registry = "[HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0]\n\"~MHz\"=\"1600\"\n";
    TestControl t(facts.profile());
    t.load(full_page());
    t.control.show();
    EXPECT_EQ(t.caption(Label14), "0 MHz");
}

struct StopCase {
    std::uint32_t megahertz;
    Params page;
    const char* step;
    int error;
};

class ProcessorStops : public ::testing::TestWithParam<StopCase> {};

TEST_P(ProcessorStops, ValuesOutsideSixteenBitsStopTheRun)
{
    MachineFacts facts;
    facts.megahertz = GetParam().megahertz;
    TestControl t(facts.profile());
    t.load(with(full_page(), GetParam().page));
    const RunReport report = t.control.show();
    ASSERT_TRUE(report.stopped);
    EXPECT_EQ(report.stopped->step, GetParam().step);
    EXPECT_EQ(report.stopped->error_number, GetParam().error);
    EXPECT_EQ(t.caption(LabelMemAmount), "");  // the memory row never ran
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, ProcessorStops,
    ::testing::Values(StopCase{32758, {}, "processor: verdict against CPURec", 6},
                      StopCase{1600, {{"CPURec", "40000"}}, "processor: verdict against CPURec", 6},
                      StopCase{400, {{"CPUMin", "-40000"}}, "processor: verdict against CPUMin", 6},
                      StopCase{1600, {{"CPURec", "fast"}}, "processor: recommended caption (CPURec)", 13},
                      StopCase{1600, {{"CPUMin", ""}}, "processor: minimum caption (CPUMin)", 13}));

TEST(Gigahertz, OneDecimalHalvesToEven)
{
    const std::pair<std::int32_t, const char*> cases[] = {{2450, "2.4"}, {2350, "2.4"}, {2550, "2.6"}, {2451, "2.5"},
                                                          {2000, "2"},   {2993, "3"},   {1049, "1"},   {1050, "1"},
                                                          {1150, "1.2"}, {3200, "3.2"}};
    for (const auto& [mhz, text] : cases) EXPECT_EQ(gigahertz_text(mhz, Locale{}), text) << mhz;
    EXPECT_EQ(gigahertz_text(2400, Locale{','}), "2,4");
}

}  // namespace
