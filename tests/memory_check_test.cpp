// The memory row end to end: a machine's memory and the page's thresholds in,
// the row's captions, icon, advice and colour out.
#include "checks/memory_check.hpp"
#include "control_support.hpp"

#include <gtest/gtest.h>

using namespace prestova;
using namespace prestova::testing;
using enum ControlId;

namespace {

constexpr const char* kBadAdvice =
    "You have less than the minimum amount of RAM in your system.  To be able to use any Marvanta system, you must "
    "upgrade the RAM in your computer to at least the minimum amount.";
constexpr const char* kOkayAdvice =
    "Your have an adequate amount of RAM in your system to use any Marvanta system without problems.";
constexpr const char* kGoodAdvice =
    "You have more than the recommended amount of RAM needed to use any Marvanta system without problems.";

struct MemoryCase {
    std::uint64_t bytes;
    Params params;
    const char* measured;
    Verdict verdict;
};

class MemoryRow : public ::testing::TestWithParam<MemoryCase> {};

TEST_P(MemoryRow, ShowsTheAmountAndTheVerdict)
{
    const auto& c = GetParam();
    TestControl t(xp_machine_text(c.bytes));
    t.load(with(display_page(), c.params));
    const RunReport report = t.control.show();
    ASSERT_FALSE(report.stopped) << report.stopped->step << ": " << report.stopped->message;
    EXPECT_EQ(t.caption(LabelMemAmount), c.measured);
    EXPECT_EQ(t.visible(memGood), c.verdict == Verdict::Good);
    EXPECT_EQ(t.visible(memOk), c.verdict == Verdict::Okay);
    EXPECT_EQ(t.visible(memBad), c.verdict == Verdict::Bad);
    const char* advice = c.verdict == Verdict::Good   ? kGoodAdvice
                         : c.verdict == Verdict::Okay ? kOkayAdvice
                                                      : kBadAdvice;
    EXPECT_EQ(t.caption(memRecommend), advice);
    EXPECT_EQ(t.background(memRecommend), c.verdict == Verdict::Bad ? rgb(255, 0, 0) : rgb(172, 207, 251));
}

constexpr std::uint64_t MB = 1ull << 20;

INSTANTIATE_TEST_SUITE_P(
    Machines, MemoryRow,
    ::testing::Values(
        MemoryCase{536870912, {}, "512.00 Megabytes", Verdict::Good},
        MemoryCase{1073741824, {}, "1.02 Gigabytes", Verdict::Good},
        MemoryCase{2147483648, {}, "2.05 Gigabytes", Verdict::Good},
        MemoryCase{1048576000, {}, "1.00 Gigabytes", Verdict::Good},
        MemoryCase{1048051712, {}, "999.50 Megabytes", Verdict::Good},
        MemoryCase{0, {}, "0.00 Megabytes", Verdict::Bad},
        MemoryCase{64 * MB, {{"MemoryMin", "64"}}, "64.00 Megabytes", Verdict::Bad},
        MemoryCase{64 * MB, {{"MemoryMin", "63"}, {"MemoryRec", "64"}}, "64.00 Megabytes", Verdict::Good},
        MemoryCase{96 * MB, {}, "96.00 Megabytes", Verdict::Okay},
        // Halves round to even before the verdict.
        MemoryCase{127 * MB + MB / 2, {{"MemoryRec", "128"}}, "127.50 Megabytes", Verdict::Good},
        MemoryCase{126 * MB + MB / 2, {{"MemoryMin", "126"}}, "126.50 Megabytes", Verdict::Bad},
        MemoryCase{64 * MB, {{"MemoryMin", "64.5"}}, "64.00 Megabytes", Verdict::Bad},
        MemoryCase{65 * MB, {{"MemoryMin", "64.5"}}, "65.00 Megabytes", Verdict::Okay},
        // Large machines: the verdict takes anything above 32767 MB as 32767.
        MemoryCase{32ull << 30, {}, "32.77 Gigabytes", Verdict::Good},
        MemoryCase{64ull << 30, {{"MemoryRec", "32767"}}, "65.54 Gigabytes", Verdict::Good},
        MemoryCase{1ull << 40, {{"MemoryMin", "32766"}, {"MemoryRec", "32767"}}, "1048.58 Gigabytes", Verdict::Good},
        MemoryCase{32767 * MB + MB / 2, {}, "32.77 Gigabytes", Verdict::Good},
        MemoryCase{1ull << 40, {{"MemoryMin", "32767"}}, "1048.58 Gigabytes", Verdict::Bad}));

struct CaptionCase {
    const char* value;
    const char* caption;
};

class RequirementCaptions : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(RequirementCaptions, SwitchToGigabytesAtOneThousand)
{
    TestControl t(xp_machine_text());
    t.load(with(display_page(), {{"MemoryRec", GetParam().value}, {"MemoryMin", GetParam().value}}));
    t.control.show();
    EXPECT_EQ(t.caption(Label12), GetParam().caption);
    EXPECT_EQ(t.caption(Label13), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(Values, RequirementCaptions,
                         ::testing::Values(CaptionCase{"128", "128 Megabytes"}, CaptionCase{"1024", "1.024 Gigabytes"},
                                           CaptionCase{"2000", "2 Gigabytes"}, CaptionCase{"1000", "1 Gigabytes"},
                                           CaptionCase{"999", "999 Megabytes"}, CaptionCase{" 96.0", " 96.0 Megabytes"},
                                           CaptionCase{"1500.5", "1.5005 Gigabytes"}));

TEST(MemoryRow, AScriptNumberIsShownInGeneralForm)
{
    TestControl t(xp_machine_text());
    t.load(with(display_page(), {}));
    t.control.put(Prop::MemoryRec, Variant::real(256.5));
    t.control.put(Prop::MemoryMin, Variant::integer(3000));
    t.control.show();
    EXPECT_EQ(t.caption(Label12), "256.5 Megabytes");
    EXPECT_EQ(t.caption(Label13), "3 Gigabytes");
    EXPECT_TRUE(t.visible(memBad));
}

TEST(MemoryRow, AMachineWithoutTheMemoryQueryReadsAsZero)
{
    TestControl t("[windows]\nplatform_id = 2\nmajor = 5\nminor = 1\n");
    t.load(with(display_page(), {}));
    EXPECT_FALSE(t.control.show().stopped);
    EXPECT_EQ(t.caption(LabelMemAmount), "0.00 Megabytes");
    EXPECT_TRUE(t.visible(memBad));
}

struct StopCase {
    Params params;
    const char* step;
    int error;
    const char* label13;  // Label13 after the stop
};

class MemoryStops : public ::testing::TestWithParam<StopCase> {};

TEST_P(MemoryStops, AnUnconvertibleThresholdStopsTheRunThere)
{
    const auto& c = GetParam();
    TestControl t(xp_machine_text());
    t.load(with(display_page(), c.params));
    const RunReport report = t.control.show();
    ASSERT_TRUE(report.stopped);
    EXPECT_EQ(report.stopped->step, c.step);
    EXPECT_EQ(report.stopped->error_number, c.error);
    EXPECT_EQ(t.caption(LabelMemAmount), "512.00 Megabytes");  // written before the stop
    EXPECT_EQ(t.caption(Label13), c.label13);
    EXPECT_FALSE(t.visible(memGood) || t.visible(memOk) || t.visible(memBad));
    EXPECT_EQ(t.caption(memRecommend), "");
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, MemoryStops,
    ::testing::Values(StopCase{{{"MemoryMin", "lots"}}, "memory: minimum caption (MemoryMin)", 13, "64 Megabytes"},
                      StopCase{{{"MemoryRec", ""}}, "memory: recommended caption (MemoryRec)", 13, "64 Megabytes"},
                      StopCase{{{"MemoryMin", "40000"}}, "memory: verdict against MemoryMin", 6, "40 Gigabytes"},
                      StopCase{{{"MemoryRec", "40000"}}, "memory: verdict against MemoryRec", 6, "64 Megabytes"}));

TEST(MemoryFigure, FourDecimalsWithHalvesToEven)
{
    EXPECT_EQ(megabytes_in_ten_thousandths(MB), 10000);
    EXPECT_EQ(megabytes_in_ten_thousandths(0), 0);
    EXPECT_EQ(megabytes_in_ten_thousandths(1), 0);                       // 0.00000095 MB
    EXPECT_EQ(megabytes_in_ten_thousandths(105), 1);                     // 0.00010014 MB
    EXPECT_EQ(megabytes_in_ten_thousandths(~0ull), 175921860444160000);  // 2^64 - 1 bytes, no overflow
    EXPECT_EQ(memory_verdict_figure(327674999), 32767);
    EXPECT_EQ(memory_verdict_figure(327675000), 32767);
    EXPECT_EQ(memory_verdict_figure(1275000), 128);
    EXPECT_EQ(memory_verdict_figure(1265000), 126);
    EXPECT_EQ(GetLargeCount({0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0x00}), 536870912u);
    EXPECT_EQ(GetLargeCount({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), ~0ull);
}

}  // namespace
