#pragma once
// Where and in which order the pictures of the panel draw each control.
#include "control/panel_design.hpp"

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

// A pixel measure as SVG and CSS write it: at most two decimals, no
// trailing zeros, always a dot.
std::string pixels(double value);

} // namespace prestova
