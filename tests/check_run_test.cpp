// The run as a whole: colour groups, the operating-system captions, a
// second Show, and a run stopped by a value that cannot be converted.
#include "control/colour_groups.hpp"
#include "control_support.hpp"

#include <gtest/gtest.h>

using namespace prestova;
using namespace prestova::testing;
using enum ControlId;

namespace {

constexpr std::int32_t kWhite = rgb(255, 255, 255);
constexpr std::int32_t kLightBlue = rgb(172, 207, 251);
constexpr std::int32_t kBlack = 0;

void expect_group(const TestControl& t, ColourGroup group, std::int32_t colour)
{
    for (ControlId id : cells_of(group)) EXPECT_EQ(t.background(id), colour) << design(id).name;
}

TEST(ColourGroups, EachGroupHasItsCells)
{
    EXPECT_EQ(cells_of(ColourGroup::Result).size(), 14u);
    EXPECT_EQ(cells_of(ColourGroup::Second).size(), 17u);
    EXPECT_EQ(cells_of(ColourGroup::Third).size(), 4u);
    for (auto group : {ColourGroup::Result, ColourGroup::Second, ColourGroup::Third})
        for (ControlId id : cells_of(group)) EXPECT_EQ(design(id).group, group) << design(id).name;
}

TEST(CheckRun, BagDefaultsGiveWhiteNamesAndLightBlueResults)
{
    TestControl t(MachineFacts{}.profile());
    t.load(with(display_page(), {}));
    EXPECT_FALSE(t.control.show().stopped);
    expect_group(t, ColourGroup::Result, kLightBlue);
    expect_group(t, ColourGroup::Second, kWhite);
    expect_group(t, ColourGroup::Third, kWhite);
    EXPECT_EQ(t.caption(Label25), "Windows XP");
    EXPECT_EQ(t.caption(Label26), "Windows 98");
}

TEST(CheckRun, AControlWithoutABagTurnsEveryColouredCellBlack)
{
    TestControl t(MachineFacts{}.profile());
    t.control.init_properties();
    EXPECT_FALSE(t.control.show().stopped);
    expect_group(t, ColourGroup::Result, kBlack);
    expect_group(t, ColourGroup::Second, kBlack);
    expect_group(t, ColourGroup::Third, kBlack);
    EXPECT_EQ(t.caption(Label25), "");
    EXPECT_EQ(t.caption(Label26), "");
}

struct ColourCase {
    Params params;
    ColourGroup group;
    std::int32_t expected;
};

class ColourComponents : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColourComponents, AreWholeNumbersCappedAt255)
{
    TestControl t(MachineFacts{}.profile());
    t.load(with(display_page(), GetParam().params));
    EXPECT_FALSE(t.control.show().stopped);
    expect_group(t, GetParam().group, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, ColourComponents,
    ::testing::Values(ColourCase{{{"RedYRM", "300"}}, ColourGroup::Result, rgb(255, 207, 251)},
                      ColourCase{{{"GreenYRM", "12.5"}}, ColourGroup::Result, rgb(172, 12, 251)},
                      ColourCase{{{"BlueYRM", "13.5"}}, ColourGroup::Result, rgb(172, 207, 14)},
                      ColourCase{{{"Red2YRM", "1"}, {"Green2YRM", "2"}, {"Blue2YRM", "3"}}, ColourGroup::Second,
                                 rgb(1, 2, 3)},
                      ColourCase{{{"Red3YRM", "0"}, {"Green3YRM", "32767"}, {"Blue3YRM", " 7 "}}, ColourGroup::Third,
                                 rgb(0, 255, 7)},
                      // The okay colour is built but given to no cell.
                      ColourCase{{{"RedOkYRM", "1"}, {"GreenOkYRM", "1"}, {"BlueOkYRM", "1"}}, ColourGroup::Result,
                                 kLightBlue}));

TEST(CheckRun, LinksKeepTheirDesignBackground)
{
    TestControl t(MachineFacts{}.profile());
    t.load(with(display_page(), {{"RedYRM", "0"}, {"GreenYRM", "0"}, {"BlueYRM", "0"}}));
    t.control.show();
    for (ControlId link : {acrolink, flashlink, reallink, ziplink1, ziplink2, javalink, explorerLink})
        EXPECT_EQ(t.background(link), kLightBlue) << design(link).name;
}

TEST(CheckRun, AnUnconvertibleColourStopsTheRunWhereItIsRead)
{
    TestControl t(MachineFacts{}.profile());
    t.load(with(display_page(), {{"GreenYRM", "teal"}}));
    const RunReport report = t.control.show();
    ASSERT_TRUE(report.stopped);
    EXPECT_EQ(report.stopped->step, "result colour: GreenYRM");
    EXPECT_EQ(report.stopped->error_number, 13);
    // Nothing after it happened: the panel is still as designed.
    EXPECT_EQ(t.background(LabelMemAmount), kLightBlue);
    EXPECT_EQ(t.background(Label2), kWhite);  // second colour not applied (design: window colour)
    EXPECT_EQ(t.caption(LabelMemAmount), "");
    EXPECT_EQ(t.caption(Label12), "128 Megabytes");
    EXPECT_FALSE(t.visible(memGood));
}

TEST(CheckRun, AComponentOutsideSixteenBitsOverflows)
{
    TestControl t(MachineFacts{}.profile());
    t.load(with(display_page(), {{"BlueBadYRM", "40000"}}));
    const RunReport report = t.control.show();
    ASSERT_TRUE(report.stopped);
    EXPECT_EQ(report.stopped->step, "bad colour: BlueBadYRM");
    EXPECT_EQ(report.stopped->error_number, 6);
}

TEST(CheckRun, ANegativeColourIsRefusedWhenACellTakesIt)
{
    TestControl t(MachineFacts{}.profile());
    t.load(with(display_page(), {{"Red3YRM", "-5"}, {"Green3YRM", "0"}, {"Blue3YRM", "0"}}));
    const RunReport report = t.control.show();
    ASSERT_TRUE(report.stopped);
    EXPECT_EQ(report.stopped->step, "third colour: Label8 background");
    EXPECT_EQ(report.stopped->error_number, 380);
    EXPECT_EQ(t.background(Label2), kWhite);   // the second colour was applied before
    EXPECT_EQ(t.caption(Label25), "Windows XP");  // design caption: the run never got there
}

TEST(CheckRun, RequirementCaptionsShowNumbersAsDigits)
{
    TestControl t(MachineFacts{}.profile());
    t.control.put(Prop::OSRec, Variant::integer(7));
    t.control.put(Prop::OSMin, Variant::real(2.5));
    t.control.show();
    EXPECT_EQ(t.caption(Label25), "7");
    EXPECT_EQ(t.caption(Label26), "2.5");
}

TEST(CheckRun, ASecondShowRunsAgainAndKeepsEarlierIcons)
{
    TestControl t(xp_machine_text(64ull << 20));
    t.load(with(display_page(), {{"MemoryMin", "64"}}));
    t.control.show();
    EXPECT_TRUE(t.visible(memBad));
    EXPECT_EQ(t.background(memRecommend), rgb(255, 0, 0));

    t.control.put(Prop::MemoryMin, Variant("32"));
    t.control.put(Prop::MemoryRec, Variant("32"));
    EXPECT_FALSE(t.control.show().stopped);
    EXPECT_TRUE(t.visible(memBad));   // never hidden
    EXPECT_TRUE(t.visible(memGood));  // the new verdict lies over it
    EXPECT_FALSE(t.visible(memOk));
    EXPECT_EQ(t.background(memRecommend), kLightBlue);  // reset at the start of the run
    EXPECT_EQ(t.caption(Label13), "32 Megabytes");
}

} // namespace
