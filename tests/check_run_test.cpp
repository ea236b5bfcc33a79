// The run as a whole: colour groups, the operating-system captions, a
// second Show, and a run stopped by a colour that cannot be used.
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

TEST(CheckRun, BagDefaultsGiveWhiteNamesAndLightBlueResults)
{
    TestControl t(MachineFacts{}.profile());
    t.load(with(display_page(), {}));
    EXPECT_FALSE(t.control.show().stopped);
    EXPECT_EQ(cells_of(ColourGroup::Result).size(), 14u);
    EXPECT_EQ(cells_of(ColourGroup::Second).size(), 17u);
    EXPECT_EQ(cells_of(ColourGroup::Third).size(), 4u);
    expect_group(t, ColourGroup::Result, kLightBlue);
    expect_group(t, ColourGroup::Second, kWhite);
    expect_group(t, ColourGroup::Third, kWhite);
    EXPECT_EQ(t.caption(Label25), "Windows XP");
    EXPECT_EQ(t.caption(Label26), "Windows 98");
}

TEST(CheckRun, AFreshControlTurnsColouredCellsBlackAndCountsEmptyRequirementsAsZero)
{
    MachineFacts facts;
    facts.memory = 1 << 20;
    facts.megahertz = 1;
    TestControl t(facts.profile());
    t.control.init_properties();
    EXPECT_FALSE(t.control.show().stopped);
    expect_group(t, ColourGroup::Result, kBlack);
    expect_group(t, ColourGroup::Second, kBlack);
    expect_group(t, ColourGroup::Third, kBlack);
    const std::pair<ControlId, const char*> captions[] = {
        {Label25, ""},
        {Label26, ""},
        {Label12, " Megabytes"},
        {Label13, " Megabytes"},
        {Label15, " Mhz"},
        {Label16, " Mhz"},
        {Label17, "Your system meets the recommended minimum of  Mhz processor or better."},
        {Label20, "x\r Colors"},
        {Label21, "x\r Colors"},
        // The disk row keeps the two numbers the fresh control has.
        {Label5, "0.98 Gigabytes"},
        {Label6, "500 Megabytes"},
        {Label7, "You have more than the recommended 0.98 Gigabytes of available disk space."}};
    for (const auto& [id, caption] : captions) EXPECT_EQ(t.caption(id), caption) << design(id).name;
    for (ControlId good : {memGood, procgood, videogood, diskgood}) EXPECT_TRUE(t.visible(good)) << design(good).name;
}

TEST(CheckRun, TheDecimalSeparatorComesFromTheMachineAndRoundTrips)
{
    MachineFacts facts;
    facts.decimal_separator = ",";
    facts.memory = 1073741824;
    facts.c_free = (501 << 20) + (1 << 19);
    facts.megahertz = 2400;
    TestControl t(facts.profile());
    t.load(with(full_page(), {{"MemoryRec", "1536"}, {"DiskSpaceRec", "2048"}}));
    ASSERT_FALSE(t.control.show().stopped);
    EXPECT_EQ(t.caption(LabelMemAmount), "1,02 Gigabytes");
    EXPECT_EQ(t.caption(Label12), "1,536 Gigabytes");
    EXPECT_EQ(t.caption(Label14), "2,4 GHz");
    EXPECT_EQ(t.caption(Label4), "C: 501,50 Megabytes");
    EXPECT_EQ(t.caption(Label5), "2,00 Gigabytes");
    EXPECT_TRUE(t.visible(diskok));  // the free space read back through the same separator
}

// What the control's texts are made with: every regional setting the
// machine answers, its defaults where the profile names none.
TEST(CheckRun, TheLocaleIsTheMachines)
{
    const struct {
        const char* locale;
        Locale expected;
    } cases[] = {{"", Locale{'.', ',', "$", "M/d/yyyy", "h:mm:ss tt"}},
                 {"decimal_separator = ,\nthousands_separator =\ncurrency_symbol = kr\n"
                  "short_date = yyyy-MM-dd\ntime_format = HH:mm:ss\n",
                  Locale{',', '\0', "kr", "yyyy-MM-dd", "HH:mm:ss"}}};
    for (const auto& c : cases) {
        const TestControl t(std::string("[locale]\n") + c.locale);
        const Locale locale = t.control.locale();
        EXPECT_EQ(locale.decimal_separator, c.expected.decimal_separator) << c.locale;
        EXPECT_EQ(locale.thousands_separator, c.expected.thousands_separator) << c.locale;
        EXPECT_EQ(locale.currency_symbol, c.expected.currency_symbol) << c.locale;
        EXPECT_EQ(locale.short_date, c.expected.short_date) << c.locale;
        EXPECT_EQ(locale.time_format, c.expected.time_format) << c.locale;
    }
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
    ::testing::Values(
        ColourCase{{{"RedYRM", "300"}}, ColourGroup::Result, rgb(255, 207, 251)},
        ColourCase{{{"GreenYRM", "12.5"}}, ColourGroup::Result, rgb(172, 12, 251)},
        ColourCase{{{"BlueYRM", "13.5"}}, ColourGroup::Result, rgb(172, 207, 14)},
        ColourCase{{{"Red2YRM", "1"}, {"Green2YRM", "2"}, {"Blue2YRM", "3"}}, ColourGroup::Second, rgb(1, 2, 3)},
        ColourCase{{{"Red3YRM", "0"}, {"Green3YRM", "32767"}, {"Blue3YRM", " 7 "}}, ColourGroup::Third, rgb(0, 255, 7)},
        // The okay colour is built but given to no cell.
        ColourCase{{{"RedOkYRM", "1"}, {"GreenOkYRM", "1"}, {"BlueOkYRM", "1"}}, ColourGroup::Result, kLightBlue}));

TEST(CheckRun, LinksKeepTheirDesignBackground)
{
    TestControl t(MachineFacts{}.profile());
    t.load(with(display_page(), {{"RedYRM", "0"}, {"GreenYRM", "0"}, {"BlueYRM", "0"}}));
    t.control.show();
    for (ControlId link : {acrolink, flashlink, reallink, ziplink1, ziplink2, javalink, explorerLink})
        EXPECT_EQ(t.background(link), kLightBlue) << design(link).name;
}

struct ColourStop {
    Params params;
    const char* step;
    int error;
};

class ColourStops : public ::testing::TestWithParam<ColourStop> {};

TEST_P(ColourStops, StopTheRunWhereTheColourIsReadOrGiven)
{
    TestControl t(MachineFacts{}.profile());
    t.load(with(display_page(), GetParam().params));
    const RunReport report = t.control.show();
    ASSERT_TRUE(report.stopped);
    EXPECT_EQ(report.stopped->step, GetParam().step);
    EXPECT_EQ(report.stopped->error_number, GetParam().error);
    // Nothing after it happened: the rest of the panel is still as designed.
    EXPECT_EQ(t.background(LabelMemAmount), kLightBlue);
    EXPECT_EQ(t.background(Label2), kWhite);
    EXPECT_EQ(t.caption(LabelMemAmount), "");
    EXPECT_EQ(t.caption(Label12), "128 Megabytes");
    EXPECT_EQ(t.caption(Label25), "Windows XP");
    EXPECT_FALSE(t.visible(memGood));
}

INSTANTIATE_TEST_SUITE_P(Colours, ColourStops,
                         ::testing::Values(ColourStop{{{"GreenYRM", "teal"}}, "result colour: GreenYRM", 13},
                                           // A component outside sixteen bits overflows.
                                           ColourStop{{{"BlueBadYRM", "40000"}}, "bad colour: BlueBadYRM", 6},
                                           // A negative colour is refused when a cell takes it.
                                           ColourStop{{{"Red3YRM", "-5"}, {"Green3YRM", "0"}, {"Blue3YRM", "0"}},
                                                      "third colour: Label8 background",
                                                      380}));

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

}  // namespace
