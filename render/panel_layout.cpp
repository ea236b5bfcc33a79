#include "render/panel_layout.hpp"

#include <charconv>
#include <cmath>

namespace prestova {

namespace {

bool drawn_over_cells(const ControlDesign& c) { return c.kind != ControlKind::Label || c.style == CellStyle::Link; }

std::vector<ControlId> make_drawing_order()
{
    std::vector<ControlId> order;
    for (const auto& c : panel_design())
        if (!drawn_over_cells(c)) order.push_back(c.id);
    for (const auto& c : panel_design())
        if (drawn_over_cells(c)) order.push_back(c.id);
    return order;
}

}  // namespace

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
    // A panel draws hundreds of measures and the general conversion is slow.
    // Rounded in whole hundredths it gives the same text, except where value
    // x 100 lies by a half, whose exact side only the general conversion
    // knows. Below 1e9 hundredths the product is off by less than 1e-7.
    const double hundredths = std::fabs(value) * 100.0;
    if (hundredths < 1e9) {
        const double whole = std::floor(hundredths);
        const double fraction = hundredths - whole;
        if (std::fabs(fraction - 0.5) > 1e-6) {
            const auto rounded = static_cast<long long>(whole) + (fraction > 0.5 ? 1 : 0);
            std::string text = std::signbit(value) && rounded != 0 ? "-" : "";
            text += std::to_string(rounded / 100);
            if (const auto cents = rounded % 100; cents != 0) {
                text += '.';
                text += static_cast<char>('0' + cents / 10);
                if (cents % 10 != 0) text += static_cast<char>('0' + cents % 10);
            }
            return text;
        }
    }
    return exact_pixels(value);
}

std::string exact_pixels(double value)
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

}  // namespace prestova
