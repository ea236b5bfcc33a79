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
    MachineProfile small = case_machine("xp");
    small.total_physical = 64ull << 20;
    TestControl t(std::move(small));
    MemoryPropertyBag page = case_page("display", {{"MemoryMin", "64"}});
    t.control.read_properties(page);
    t.control.show();
    const auto& panel = t.panel;
    const auto visible = [&](ControlId id) { return panel.state(id).visible; };
    EXPECT_TRUE(visible(memBad));
    EXPECT_EQ(panel.state(memRecommend).background, rgb(255, 0, 0));

    t.control.put(Prop::MemoryMin, Variant("32"));
    t.control.put(Prop::MemoryRec, Variant("32"));
    EXPECT_FALSE(t.control.show().stopped);
    EXPECT_TRUE(visible(memBad));   // never hidden
    EXPECT_TRUE(visible(memGood));  // the new verdict lies over it
    EXPECT_FALSE(visible(memOk));
    EXPECT_EQ(panel.state(memRecommend).background, rgb(172, 207, 251));  // reset at the start of the run
    EXPECT_EQ(panel.state(Label13).caption, "32 Megabytes");
}

}  // namespace
