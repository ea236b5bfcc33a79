// The disk row end to end from the free space on drive C:.
#include "checks/disk_check.hpp"
#include "control_support.hpp"
#include "probes/disk_space.hpp"

#include <gtest/gtest.h>

using namespace prestova;
using namespace prestova::testing;
using enum ControlId;

namespace {

constexpr std::uint64_t MB = 1ull << 20;

struct DiskCase {
    std::optional<std::uint64_t> free;
    Params page;  // over full_page(): DiskSpaceMin 500, DiskSpaceRec 2048
    const char* measured;
    Verdict verdict;
};

class DiskRow : public ::testing::TestWithParam<DiskCase> {};

TEST_P(DiskRow, ShowsTheFreeSpaceAndTheVerdict)
{
    const auto& c = GetParam();
    MachineFacts facts;
    facts.c_free = c.free;
    TestControl t(facts.profile());
    t.load(with(full_page(), c.page));
    const RunReport report = t.control.show();
    ASSERT_FALSE(report.stopped) << report.stopped->step << ": " << report.stopped->message;
    EXPECT_EQ(t.caption(Label4), c.measured);
    EXPECT_EQ(t.visible(diskgood), c.verdict == Verdict::Good);
    EXPECT_EQ(t.visible(diskok), c.verdict == Verdict::Okay);
    EXPECT_EQ(t.visible(diskbad), c.verdict == Verdict::Bad);
    const std::string rec = t.caption(Label5), min = t.caption(Label6);
    const std::string advice =
        c.verdict == Verdict::Good ? "You have more than the recommended " + rec + " of available disk space."
        : c.verdict == Verdict::Okay
            ? "You have more than the minimum " + min +
                  " of available disk space, but could see increased performance by clearing some disk space or "
                  "upgrading your hard drive to get over the recommended " +
                  rec + " of space."
            : "You have less than the " + min +
                  " of minimum disk space. You will need to either clear some space on your drive, or upgrade your "
                  "hard drive.";
    EXPECT_EQ(t.caption(Label7), advice);
    EXPECT_EQ(t.background(Label7), c.verdict == Verdict::Bad ? rgb(255, 0, 0) : rgb(172, 207, 251));
}

INSTANTIATE_TEST_SUITE_P(
    Drives, DiskRow,
    ::testing::Values(DiskCase{40000000000ull, {}, "C: 37.25 Gigabytes", Verdict::Good},
                      DiskCase{2048 * MB, {}, "C: 2.00 Gigabytes", Verdict::Good},
                      DiskCase{2048 * MB - 1, {}, "C: 2.00 Gigabytes", Verdict::Good},  // 2048.00 after rounding
                      DiskCase{2047 * MB, {}, "C: 2.00 Gigabytes", Verdict::Okay},
                      DiskCase{501 * MB, {}, "C: 501.00 Megabytes", Verdict::Okay},
                      DiskCase{500 * MB, {}, "C: 500.00 Megabytes", Verdict::Bad},    // equal to the minimum
                      DiskCase{std::nullopt, {}, "C: 0.00 Megabytes", Verdict::Bad},  // the query fails
                      DiskCase{1000 * MB - MB / 100, {{"DiskSpaceRec", "1000"}}, "C: 999.99 Megabytes", Verdict::Okay},
                      DiskCase{1000 * MB, {{"DiskSpaceRec", "1000"}}, "C: 0.98 Gigabytes", Verdict::Good},
                      DiskCase{(5ull << 32) + 0x80000000ull, {}, "C: 22.00 Gigabytes", Verdict::Good},
                      DiskCase{1ull << 52, {}, "C: 4194304.00 Gigabytes", Verdict::Good}));

struct CaptionCase {
    Params page;
    const char* recommended;
    const char* minimum;
};

class DiskCaptions : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(DiskCaptions, DivideBy1024FromOneThousandUp)
{
    TestControl t(MachineFacts{}.profile());
    t.load(with(full_page(), GetParam().page));
    ASSERT_FALSE(t.control.show().stopped);
    EXPECT_EQ(t.caption(Label5), GetParam().recommended);
    EXPECT_EQ(t.caption(Label6), GetParam().minimum);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DiskCaptions,
    ::testing::Values(
        CaptionCase{{{"DiskSpaceRec", "1000"}, {"DiskSpaceMin", "500"}}, "0.98 Gigabytes", "500 Megabytes"},
        CaptionCase{{{"DiskSpaceRec", "2048"}, {"DiskSpaceMin", "750.5"}}, "2.00 Gigabytes", "750.5 Megabytes"},
        CaptionCase{{{"DiskSpaceRec", "10240"}, {"DiskSpaceMin", "999.99"}}, "10.00 Gigabytes", "999.99 Megabytes"}));

TEST(DiskRow, AnUnconvertibleThresholdStopsTheRunAtItsCaption)
{
    TestControl t(MachineFacts{}.profile());
    t.load(with(full_page(), {{"DiskSpaceMin", ""}}));
    const RunReport report = t.control.show();
    ASSERT_TRUE(report.stopped);
    EXPECT_EQ(report.stopped->step, "disk: minimum caption (DiskSpaceMin)");
    EXPECT_EQ(report.stopped->error_number, 13);
    EXPECT_EQ(t.caption(Label5), "2.00 Gigabytes");
    EXPECT_EQ(t.caption(Label6), "512 Megabytes");  // design caption
    EXPECT_EQ(t.caption(Label4), "");
    EXPECT_EQ(t.caption(Label24), "");  // the operating-system row never ran
}

TEST(LargeToDouble, BothHalvesAreUnsigned)
{
    std::int32_t low = -1, high = 0;
    EXPECT_EQ(LargeToDouble(low, high), 4294967295.0);
    low = 0, high = 1;
    EXPECT_EQ(LargeToDouble(low, high), 4294967296.0);
    low = static_cast<std::int32_t>(0x80000000u), high = -1;
    EXPECT_EQ(LargeToDouble(low, high), 18446744071562067968.0);
    low = 1, high = 0x1FFFFF;  // 2^53 - 2^32 + 1: still exact
    EXPECT_EQ(LargeToDouble(low, high), 9007194959773697.0);
}

}  // namespace
