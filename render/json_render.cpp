// The panel as JSON: every control in design order with its exact caption,
// so programs can compare runs. Keys always come in the same order.
#include "core/ansi.hpp"
#include "render/display_text.hpp"
#include "render/json_escape.hpp"
#include "render/panel_render.hpp"

namespace prestova {

namespace {

std::string_view kind_name(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label: return "label";
    case ControlKind::Icon: return "icon";
    case ControlKind::Line: return "line";
    }
    return "label";
}

std::string stop_object(const RunReport& report)
{
    if (!report.stopped) return "null";
    const RunStop& stop = *report.stopped;
    return "{\"step\": " + json_string(utf8_or_code_page(stop.step)) +
           ", \"error\": " + std::to_string(stop.error_number) +
           ", \"message\": " + json_string(utf8_or_code_page(stop.message)) + "}";
}

std::string control_object(const ControlDesign& c, const ControlState& s)
{
    return "{\"name\": " + json_string(c.name) + ", \"kind\": " + json_string(kind_name(c.kind)) +
           ", \"caption\": " + json_string(ansi_to_utf8(s.caption)) +
           ", \"visible\": " + (s.visible ? "true" : "false") + ", \"background\": " + std::to_string(s.background) +
           "}";
}

std::string click_object(const LinkClick& click)
{
    return "{\"link\": " + json_string(utf8_or_code_page(click.link)) +
           ", \"file\": " + json_string(ansi_to_utf8(click.file)) +
           ", \"parameters\": " + json_string(ansi_to_utf8(click.parameters)) +
           ", \"result\": " + std::to_string(click.result) +
           ", \"refused\": " + (click.refused.empty() ? std::string("null") : json_string(click.refused)) + "}";
}

template <typename Items, typename Format>
std::string array_lines(const Items& items, Format format)
{
    if (items.empty()) return "[]";
    std::string out = "[\n";
    for (std::size_t i = 0; i < items.size(); ++i)
        out += "    " + format(items[i]) + (i + 1 < items.size() ? ",\n" : "\n");
    return out + "  ]";
}

}  // namespace

std::string render_json(const PanelView& view)
{
    const auto controls =
        array_lines(panel_design(), [&](const ControlDesign& c) { return control_object(c, view.panel.state(c.id)); });
    return "{\n  \"machine\": " + json_string(utf8_or_code_page(view.machine)) +
           ",\n  \"stopped\": " + stop_object(view.report) + ",\n  \"controls\": " + controls +
           ",\n  \"clicks\": " + array_lines(view.clicks, click_object) + "\n}\n";
}

}  // namespace prestova
