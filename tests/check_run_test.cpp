// A second Show on the same control after its thresholds changed: the
// command line cannot change a property between runs, so this stays here;
// the rest of the run as a whole is in tests/cases/check_run.cases.
#include "control_support.hpp"

#include <gtest/gtest.h>

using namespace prestova;
using namespace prestova::testing;
using enum ControlId;

namespace {

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
    EXPECT_EQ(t.background(memRecommend), rgb(172, 207, 251));  // reset at the start of the run
    EXPECT_EQ(t.caption(Label13), "32 Megabytes");
}

}  // namespace
