#pragma once
// Where and in which order the pictures of the panel draw each control.
#include "control/panel_state.hpp"
#include "design/panel_design.hpp"

#include <string>
#include <vector>

namespace prestova {

constexpr int kSurfacePixelsWide = kSurfaceWidth / kTwipsPerPixel;   // 801
constexpr int kSurfacePixelsHigh = kSurfaceHeight / kTwipsPerPixel;  // 912

struct PixelBox {
    double left, top, width, height;
};

// The control's design geometry in pixels.
PixelBox pixel_box(const ControlDesign& control);

// Horizontal room between a label's outer edge and its text: the border's
// pixel plus one pixel of air.
double text_inset(const ControlDesign& control);

// Cells in design order first, then the links, faces and line in design
// order, so a cell drawn later in the table never covers a link or a face
// lying on a cell drawn earlier.
const std::vector<ControlId>& drawing_order();

// Hands the control, when it is visible, to the callable for its kind.
template <class OnLabel, class OnIcon, class OnLine>
void paint_control(const ControlDesign& c, const ControlState& s, OnLabel on_label, OnIcon on_icon, OnLine on_line)
{
    if (!s.visible) return;
    switch (c.kind) {
    case ControlKind::Label: on_label(c, s); break;
    case ControlKind::Icon: on_icon(c, s); break;
    case ControlKind::Line: on_line(c, s); break;
    }
}

// The same for every control in drawing order, so that every picture of the
// panel draws the same things.
template <class OnLabel, class OnIcon, class OnLine>
void paint_visible(const PanelState& panel, OnLabel on_label, OnIcon on_icon, OnLine on_line)
{
    for (ControlId id : drawing_order()) paint_control(design(id), panel.state(id), on_label, on_icon, on_line);
}

// A pixel measure as SVG and CSS write it: at most two decimals, no
// trailing zeros, always a dot.
std::string pixels(double value);
// The same text from the general, correctly rounding conversion; pixels()
// gives the same faster wherever the value does not lie on a half.
std::string exact_pixels(double value);

}  // namespace prestova
