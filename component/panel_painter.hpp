#pragma once
// Draws the panel with GDI at its design geometry, one pixel per 15 twips,
// from the live panel state: backgrounds, borders, captions, faces, links
// and the line, in the order the other pictures of the panel use.
#include "control/panel_state.hpp"

#include <windows.h>

#include <optional>

namespace prestova::component {

// Logical units of dc are design pixels; the caller sets up any scaling.
void paint_panel(HDC dc, const PanelState& panel);

// The visible link label under a point given in design pixels.
std::optional<ControlId> link_at(const PanelState& panel, POINT pixel);

}  // namespace prestova::component
