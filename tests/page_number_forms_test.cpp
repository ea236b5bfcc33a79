// Page values in the other forms the host reads as numbers (hexadecimal,
// currency, grouping, a trailing sign, line breaks) end to end: a machine's
// number settings and the page's thresholds in, the memory row out.
#include "control/colour_groups.hpp"
#include "control_support.hpp"

#include <gtest/gtest.h>

using namespace prestova;
using namespace prestova::testing;
using enum ControlId;

namespace {

// The machine's [locale] section: decimal separator, then these lines.
const char* const kUnitedStates = "";
const char* const kGermany = "thousands_separator = .\ncurrency_symbol = \xE2\x82\xAC\n";  // the euro sign, UTF-8
const char* const kNoGroupingNoCurrency = "thousands_separator =\ncurrency_symbol =\n";

struct FormCase {
    const char* decimal_separator;
    const char* locale;
    Params params;
    const char* recommended;  // Label12
    const char* minimum;      // Label13
    Verdict verdict;
};

TestControl control_on(const char* decimal_separator, const char* locale)
{
    MachineFacts facts;
    facts.decimal_separator = decimal_separator;
    return TestControl(machine_profile(facts.machine_text() + locale, facts.reg_text()));
}

class MemoryThresholdForms : public ::testing::TestWithParam<FormCase> {};

TEST_P(MemoryThresholdForms, ReadAsTheHostReadsThem)
{
    const auto& c = GetParam();
    TestControl t = control_on(c.decimal_separator, c.locale);
    t.load(with(display_page(), c.params));
    const RunReport report = t.control.show();
    ASSERT_FALSE(report.stopped) << report.stopped->step << ": " << report.stopped->message;
    EXPECT_EQ(t.caption(LabelMemAmount), std::string("512") + c.decimal_separator + "00 Megabytes");
    EXPECT_EQ(t.caption(Label12), c.recommended);
    EXPECT_EQ(t.caption(Label13), c.minimum);
    EXPECT_EQ(t.visible(memGood), c.verdict == Verdict::Good);
    EXPECT_EQ(t.visible(memOk), c.verdict == Verdict::Okay);
    EXPECT_EQ(t.visible(memBad), c.verdict == Verdict::Bad);
    EXPECT_EQ(t.background(memRecommend), c.verdict == Verdict::Bad ? rgb(255, 0, 0) : rgb(172, 207, 251));
}

// The machine has 512 megabytes.
INSTANTIATE_TEST_SUITE_P(
    Pages, MemoryThresholdForms,
    ::testing::Values(
        FormCase{".",
                 kUnitedStates,
                 {{"MemoryRec", "&H200"}, {"MemoryMin", "&H100"}},
                 "&H200 Megabytes",
                 "&H100 Megabytes",
                 Verdict::Good},
        FormCase{".",
                 kUnitedStates,
                 {{"MemoryRec", "&H201"}, {"MemoryMin", "&O400"}},
                 "&H201 Megabytes",
                 "&O400 Megabytes",
                 Verdict::Okay},
        FormCase{".",
                 kUnitedStates,
                 {{"MemoryRec", "1,024"}, {"MemoryMin", "$256"}},
                 "1.024 Gigabytes",
                 "$256 Megabytes",
                 Verdict::Okay},
        FormCase{".",
                 kUnitedStates,
                 {{"MemoryRec", "$1,0,00"}, {"MemoryMin", "($512)"}},
                 "1 Gigabytes",
                 "($512) Megabytes",
                 Verdict::Okay},
        FormCase{".",
                 kUnitedStates,
                 {{"MemoryRec", "\r\n600\r\n"}, {"MemoryMin", "512-"}},
                 "\r\n600\r\n Megabytes",
                 "512- Megabytes",
                 Verdict::Okay},
        FormCase{".",
                 kUnitedStates,
                 {{"MemoryRec", "&HFFFF"}, {"MemoryMin", "&H8000"}},
                 "&HFFFF Megabytes",
                 "&H8000 Megabytes",
                 Verdict::Good},
        FormCase{".", kUnitedStates, {{"MemoryMin", "512 $"}}, "128 Megabytes", "512 $ Megabytes", Verdict::Bad},
        // A full stop that groups stays a decimal point: 1.024 is one megabyte.
        FormCase{",",
                 kGermany,
                 {{"MemoryRec", "1.024"}, {"MemoryMin", "\x80 1,5"}},
                 "1.024 Megabytes",
                 "\x80 1,5 Megabytes",
                 Verdict::Good},
        FormCase{",",
                 kGermany,
                 {{"MemoryRec", "2048 \x80"}, {"MemoryMin", "513\x80"}},
                 "2,048 Gigabytes",
                 "513\x80 Megabytes",
                 Verdict::Bad}));

struct StopCase {
    const char* locale;
    Params params;
    const char* step;
    int error;
};

class MemoryThresholdStops : public ::testing::TestWithParam<StopCase> {};

TEST_P(MemoryThresholdStops, WhatStillIsNoNumberStopsTheRun)
{
    const auto& c = GetParam();
    TestControl t = control_on(".", c.locale);
    t.load(with(display_page(), c.params));
    const RunReport report = t.control.show();
    ASSERT_TRUE(report.stopped);
    EXPECT_EQ(report.stopped->step, c.step);
    EXPECT_EQ(report.stopped->error_number, c.error);
    EXPECT_FALSE(t.visible(memGood) || t.visible(memOk) || t.visible(memBad));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, MemoryThresholdStops,
    ::testing::Values(
        StopCase{kNoGroupingNoCurrency, {{"MemoryMin", "$64"}}, "memory: minimum caption (MemoryMin)", 13},
        StopCase{kNoGroupingNoCurrency, {{"MemoryRec", "1,024"}}, "memory: recommended caption (MemoryRec)", 13},
        StopCase{kUnitedStates, {{"MemoryMin", "-64-"}}, "memory: minimum caption (MemoryMin)", 13},
        StopCase{kUnitedStates, {{"MemoryMin", "&H100000000"}}, "memory: minimum caption (MemoryMin)", 6},
        // 65536 makes a caption but no 16-bit threshold.
        StopCase{kUnitedStates, {{"MemoryMin", "&H10000"}}, "memory: verdict against MemoryMin", 6}));

TEST(PageNumberForms, ColourComponentsInHexadecimal)
{
    TestControl t = control_on(".", kUnitedStates);
    t.load(with(display_page(), {{"RedYRM", "&HAC"}, {"GreenYRM", "&O317"}, {"BlueYRM", "251+"}}));
    ASSERT_FALSE(t.control.show().stopped);
    for (ControlId id : cells_of(ColourGroup::Result))
        EXPECT_EQ(t.background(id), rgb(172, 207, 251)) << design(id).name;
}

}  // namespace
