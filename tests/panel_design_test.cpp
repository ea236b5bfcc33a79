#include "control/panel_design.hpp"
#include "control/panel_state.hpp"
#include "core/script_error.hpp"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace prestova;

namespace {

TEST(PanelDesign, HasFortyTwoLabelsTwentyIconsAndOneLine)
{
    std::map<ControlKind, int> kinds;
    std::set<std::string_view> names;
    for (const auto& c : panel_design()) {
        ++kinds[c.kind];
        names.insert(c.name);
        EXPECT_EQ(find_control(c.name), c.id);
    }
    EXPECT_EQ(kinds[ControlKind::Label], 42);
    EXPECT_EQ(kinds[ControlKind::Icon], 20);
    EXPECT_EQ(kinds[ControlKind::Line], 1);
    EXPECT_EQ(names.size(), kControlCount);
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
            EXPECT_EQ(icon->left, 1080);
            EXPECT_EQ(icon->width, 795);
            EXPECT_EQ(icon->height, 795);
            EXPECT_EQ(icon->top, list.front()->top) << icon->name;
        }
    }
}

TEST(PanelDesign, LinksStartHiddenInNoColourGroup)
{
    int links = 0;
    for (const auto& c : panel_design()) {
        if (c.style != CellStyle::Link) continue;
        ++links;
        EXPECT_FALSE(c.visible_at_start) << c.name;
        EXPECT_EQ(c.group, ColourGroup::None) << c.name;
        EXPECT_EQ(c.background, rgb(172, 207, 251)) << c.name;
        EXPECT_TRUE(style_look(c.style).underline);
    }
    EXPECT_EQ(links, 7);
}

TEST(PanelDesign, CellsStayInsideTheSurface)
{
    for (const auto& c : panel_design()) {
        EXPECT_GE(c.left, 0) << c.name;
        EXPECT_LE(c.left + c.width, kSurfaceWidth) << c.name;
        EXPECT_LE(c.top + c.height, kSurfaceHeight) << c.name;
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

} // namespace
