#include "control/panel_state.hpp"
#include "core/script_error.hpp"
#include "design/panel_design.hpp"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

using namespace prestova;

namespace {

TEST(PanelDesign, SixtyThreeControlsFoundByTheirExactNamesInsideTheSurface)
{
    std::map<ControlKind, int> kinds;
    for (const auto& c : panel_design()) {
        ++kinds[c.kind];
        EXPECT_EQ(find_control(c.name), c.id);  // names are unique
        EXPECT_GE(c.left, 0) << c.name;
        EXPECT_LE(c.left + c.width, kSurfaceWidth) << c.name;
        EXPECT_LE(c.top + c.height, kSurfaceHeight) << c.name;
    }
    EXPECT_EQ(kinds,
              (std::map<ControlKind, int>{{ControlKind::Label, 42}, {ControlKind::Icon, 20}, {ControlKind::Line, 1}}));
    EXPECT_FALSE(find_control("label8"));  // control names are exact
}

TEST(PanelDesign, IconsOfARowLieOnTopOfOneAnotherAndStartHidden)
{
    std::map<PanelRow, std::vector<const ControlDesign*>> icons;
    for (const auto& c : panel_design())
        if (c.kind == ControlKind::Icon) icons[c.row].push_back(&c);
    EXPECT_EQ(icons.size(), 7u);
    for (const auto& [row, list] : icons) {
        EXPECT_EQ(list.size(), row == PanelRow::Software ? 2u : 3u);
        for (const auto* icon : list) {
            EXPECT_FALSE(icon->visible_at_start);
            EXPECT_EQ(std::tuple(icon->left, icon->top, icon->width, icon->height),
                      std::tuple(1080, list.front()->top, 795, 795))
                << icon->name;
        }
    }
}

TEST(PanelState, StartsAsDesignedAndRefusesInvalidColours)
{
    PanelState panel;
    EXPECT_EQ(panel.caption(ControlId::Label5), "1 Gigabyte");
    EXPECT_EQ(panel.state(ControlId::Label8).background, rgb(224, 224, 224));
    EXPECT_FALSE(panel.state(ControlId::javalink).visible);
    EXPECT_TRUE(panel.state(ControlId::Line4).visible);
    EXPECT_THROW(panel.set_background(ControlId::Label8, -1), ScriptError);
    EXPECT_THROW(panel.set_background(ControlId::Label8, 0x1000000), ScriptError);
    panel.set_background(ControlId::Label8, 0xFFFFFF);
    EXPECT_EQ(panel.state(ControlId::Label8).background, 0xFFFFFF);
}

}  // namespace
