#pragma once
// The SVG panel in parts, for a page that shows many panels: it keeps the
// panel as designed once, and of each run only the parts the run changed.
// A part is cut into the drawing's markup, which repeats from run to run,
// and the run's own texts (caption lines, the machine's name), so the markup
// too need be written only once. render_svg draws the same parts whole.
#include "render/panel_render.hpp"

#include <cstddef>
#include <string>
#include <vector>

namespace prestova {

struct SvgFragment {
    std::size_t end;  // where it ends in the part's text; it begins where the one before ends
    bool own;         // a run's own text, escaped (so no quote of either kind); else markup
};

struct SvgPart {
    std::string text;
    std::vector<SvgFragment> fragments;  // covering the text, none empty
};

// Every part as the panel is designed (no machine, no stop), in order:
// joined they are that panel's SVG. A hidden control's part is empty.
std::vector<std::string> designed_svg_parts();

// The numbers of the parts of the view's panel that differ from the
// design's, in order.
std::vector<std::size_t> changed_svg_parts(const PanelView& view);

// Sets source to all a part is drawn from, with its number, as one text:
// parts with the same source are drawn alike, so a page can keep one.
void svg_part_source(const PanelView& view, std::size_t part, std::string& source);

// The part as drawn, cut into fragments.
SvgPart draw_svg_part(const PanelView& view, std::size_t part);

}  // namespace prestova
