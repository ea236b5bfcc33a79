#include "render/panel_layout.hpp"

#include <charconv>

namespace prestova {

namespace {

bool drawn_over_cells(const ControlDesign& c)
{
    return c.kind != ControlKind::Label || c.style == CellStyle::Link;
}

std::vector<ControlId> make_drawing_order()
{
    std::vector<ControlId> order;
    for (const auto& c : panel_design())
        if (!drawn_over_cells(c)) order.push_back(c.id);
    for (const auto& c : panel_design())
        if (drawn_over_cells(c)) order.push_back(c.id);
    return order;
}

} // namespace

PixelBox pixel_box(const ControlDesign& control)
{
    constexpr double kScale = kTwipsPerPixel;
    return {control.left / kScale, control.top / kScale, control.width / kScale, control.height / kScale};
}

double text_inset(const ControlDesign& control) { return style_look(control.style).border ? 2.0 : 1.0; }

const std::vector<ControlId>& drawing_order()
{
    static const std::vector<ControlId> order = make_drawing_order();
    return order;
}

std::string pixels(double value)
{
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    if (error != std::errc{}) return "0";
    std::string text(buffer, end);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    if (text == "-0") text = "0";
    return text;
}

} // namespace prestova
