// The panel as a grid to read in a terminal: one block per row, one line per
// cell with its background, then the row's faces and links.
#include "render/colour_text.hpp"
#include "render/display_text.hpp"
#include "render/panel_render.hpp"
#include "render/text_wrap.hpp"

#include <array>
#include <string_view>

namespace prestova {

namespace {

constexpr std::size_t kHeadingWidth = 13;
constexpr std::size_t kNameWidth = 16;
constexpr std::size_t kCaptionColumn = 2 + kHeadingWidth + kNameWidth + 9;
constexpr std::size_t kTerminalWidth = 100;

struct RowTitle {
    PanelRow row;
    std::string_view title;
};
constexpr std::array<RowTitle, 8> kRows = {{
    {PanelRow::Header, "Header"},
    {PanelRow::Memory, "Memory"},
    {PanelRow::Processor, "Processor"},
    {PanelRow::Disk, "Disk space"},
    {PanelRow::Video, "Video"},
    {PanelRow::OperatingSystem, "Operating system"},
    {PanelRow::Software, "Software"},
    {PanelRow::Browser, "Browser"},
}};

// The grid column a cell stands in, read from its place on the panel.
std::string_view cell_heading(const ControlDesign& c)
{
    if (c.role.find("advice") != std::string_view::npos) return "Advice";
    switch (c.left) {
    case 120: return "Test";
    case 2880: return c.width > 3135 ? "List" : "Result";
    case 6000: return "Recommended";
    case 9000: return "Minimum";
    default: return c.role;
    }
}

std::string padded(std::string_view text, std::size_t width)
{
    std::string out(text);
    out.append(out.size() < width ? width - out.size() : 1, ' ');
    return out;
}

// Each caption line starts at the caption column; a line too long for the
// terminal goes on two columns further in, so real breaks stay visible.
void append_caption(std::string& out, std::string_view caption)
{
    const auto lines = caption_lines(caption);
    if (lines.empty()) {
        out += "(empty)\n";
        return;
    }
    const auto characters = [](std::string_view text) { return static_cast<double>(text.size()); };
    bool first_line = true;
    for (std::string_view line : lines) {
        const auto pieces = wrap_line_by(line, static_cast<double>(kTerminalWidth - kCaptionColumn - 2), characters);
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (!first_line) out.append(kCaptionColumn + (i > 0 ? 2 : 0), ' ');
            out += printable_caption(pieces[i]) + "\n";
            first_line = false;
        }
    }
}

void append_cell(std::string& out, const ControlDesign& c, const ControlState& s)
{
    out += "  " + padded(cell_heading(c), kHeadingWidth) + padded(c.name, kNameWidth) + hex_colour(s.background) + "  ";
    if (!s.visible) out += "(hidden) ";
    append_caption(out, s.caption);
}

void append_row(std::string& out, const PanelState& panel, const RowTitle& row)
{
    out += std::string(row.title) + "\n";
    std::string faces;
    std::string links;
    bool row_has_links = false;
    for (const auto& c : panel_design()) {
        if (c.row != row.row) continue;
        const ControlState& s = panel.state(c.id);
        if (c.kind == ControlKind::Icon) {
            if (s.visible) faces += (faces.empty() ? "" : ", ") + std::string(c.name);
        } else if (c.style == CellStyle::Link) {
            row_has_links = true;
            if (s.visible)
                links += (links.empty() ? "" : "\n" + std::string(2 + kHeadingWidth, ' ')) + std::string(c.name) +
                         " \"" + printable_caption(s.caption) + "\"";
        } else if (c.kind == ControlKind::Label) {
            append_cell(out, c, s);
        }
    }
    if (row.row != PanelRow::Header)
        out += "  " + padded("Verdict", kHeadingWidth) + (faces.empty() ? "none" : faces) + "\n";
    if (row_has_links) out += "  " + padded("Links", kHeadingWidth) + (links.empty() ? "none" : links) + "\n";
    out += "\n";
}

}  // namespace

std::string render_text(const PanelView& view)
{
    std::string out = "Prestova results panel";
    if (!view.machine.empty()) out += " for machine " + printable(utf8_or_code_page(view.machine));
    out += "\n\n";
    for (const auto& row : kRows) append_row(out, view.panel, row);

    if (const auto& stop = view.report.stopped)
        out += "Run stopped at " + printable(utf8_or_code_page(stop->step)) + ": error " +
               std::to_string(stop->error_number) + ": " + printable(utf8_or_code_page(stop->message)) + "\n";
    else out += "The run reached its end.\n";

    if (!view.clicks.empty()) {
        out += "\nLink clicks\n";
        for (const auto& click : view.clicks)
            out += "  " + printable(utf8_or_code_page(click.label())) + "  result " + std::to_string(click.result) +
                   "\n    file        \"" + printable_caption(click.file) + "\"\n    parameters  \"" +
                   printable_caption(click.parameters) + "\"\n";
    }
    return out;
}

}  // namespace prestova
