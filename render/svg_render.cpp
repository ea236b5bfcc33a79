// The panel as the student sees it, drawn as SVG at one pixel per 15 twips.
#include "render/colour_text.hpp"
#include "render/display_text.hpp"
#include "render/face_uri.hpp"
#include "render/markup_escape.hpp"
#include "render/panel_layout.hpp"
#include "render/panel_render.hpp"
#include "render/text_wrap.hpp"

namespace prestova {

namespace {

constexpr double kAscent = 13.0;  // Verdana's ascent at 13 px: the first baseline below the cell's top
// A last line whose box passes the cell's bottom by no more than this loses
// at most a descender's tip, too little to be worth a clip.
constexpr double kClipTolerance = 1.0;

// Appended rather than "literal" + string, which GCC 12 at -O3 takes for an
// overlapping copy.
std::string attribute(std::string_view name, std::string_view value)
{
    return std::string(" ").append(name).append("=\"").append(markup_escape(value)).append("\"");
}

std::string box_attributes(const PixelBox& b)
{
    return attribute("x", pixels(b.left)) + attribute("y", pixels(b.top)) + attribute("width", pixels(b.width)) +
           attribute("height", pixels(b.height));
}

// The caption, wrapped to the cell and cut off at its edges as the label is.
// The clip is written only where the text reaches an edge: simple renderers
// (ImageMagick's own) garble clipped text, and most cells never need it.
void append_caption(std::string& out, const ControlDesign& c, const ControlState& s, const PixelBox& b)
{
    const StyleLook look = style_look(c.style);
    const double inset = text_inset(c);
    const double room = b.width - 2 * inset;
    auto lines = wrap_caption(s.caption, room, look.bold);
    const double border = look.border ? 1.0 : 0.0;
    const PixelBox inside{b.left + border, b.top + border, b.width - 2 * border, b.height - 2 * border};
    std::size_t shown = 0;  // lines starting inside the cell; the rest are never seen
    while (shown < lines.size() && static_cast<double>(shown) * kLinePixels < inside.height) ++shown;
    lines.resize(shown);
    if (lines.empty()) return;

    bool reaches_edge = static_cast<double>(shown) * kLinePixels > inside.height + kClipTolerance;
    for (const auto& line : lines) reaches_edge = reaches_edge || text_width(line, look.bold) > room;
    const std::string clip_id = "clip-" + std::string(c.name);
    if (reaches_edge) out += "<clipPath" + attribute("id", clip_id) + "><rect" + box_attributes(inside) + "/></clipPath>";

    double x = b.left + inset;
    std::string_view anchor = "start";
    if (look.align == TextAlign::Centre) { x = b.left + b.width / 2; anchor = "middle"; }
    if (look.align == TextAlign::Right) { x = b.left + b.width - inset; anchor = "end"; }

    // Every paint attribute is explicit: ImageMagick's renderer carries a
    // stroke over from the previous element and would embolden the text.
    out += "<text" + attribute("stroke", "none");
    if (reaches_edge) out += attribute("clip-path", "url(#" + clip_id + ")");
    out += attribute("fill", hex_colour(look.text_colour)) + attribute("text-anchor", anchor);
    out += attribute("font-weight", look.bold ? "bold" : "normal");
    out += " xml:space=\"preserve\">";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out += "<tspan" + attribute("x", pixels(x)) +
               attribute("y", pixels(inside.top + static_cast<double>(i) * kLinePixels + kAscent));
        // On each line: some renderers do not hand a decoration down from <text>.
        if (look.underline) out += attribute("text-decoration", "underline");
        out.append(">").append(markup_escape(printable_caption(lines[i]))).append("</tspan>");
    }
    out += "</text>";
}

void append_label(std::string& out, const ControlDesign& c, const ControlState& s)
{
    const PixelBox b = pixel_box(c);
    out += "<g" + attribute("id", c.name) + "><rect" + box_attributes(b) + attribute("fill", hex_colour(s.background)) +
           attribute("stroke", "none") + "/>";
    if (style_look(c.style).border)  // a 1 px line just inside the cell's edge
        out += "<rect" + box_attributes({b.left + 0.5, b.top + 0.5, b.width - 1, b.height - 1}) +
               attribute("fill", "none") + attribute("stroke", hex_colour(kWindowTextColour)) +
               attribute("stroke-width", "1") + "/>";
    append_caption(out, c, s, b);
    out += "</g>\n";
}

void append_icon(std::string& out, const ControlDesign& c)
{
    out += "<image" + attribute("id", c.name) + box_attributes(pixel_box(c)) + attribute("preserveAspectRatio", "none") +
           attribute("xlink:href", face_data_uri(c.verdict)) + "/>\n";
}

void append_line(std::string& out, const ControlDesign& c)
{
    const PixelBox b = pixel_box(c);
    // Half-pixel positions put a vertical 1 px line on the same pixels as the borders.
    const double dx = b.width == 0 ? 0.5 : 0;
    const double dy = b.height == 0 ? 0.5 : 0;
    out += "<line" + attribute("id", c.name) + attribute("x1", pixels(b.left + dx)) + attribute("y1", pixels(b.top + dy)) +
           attribute("x2", pixels(b.left + b.width + dx)) + attribute("y2", pixels(b.top + b.height + dy)) +
           attribute("stroke", hex_colour(kWindowTextColour)) + attribute("stroke-width", "1") + "/>\n";
}

std::string title(const PanelView& view)
{
    std::string t = "Prestova results panel";
    if (!view.machine.empty()) t += " for machine " + utf8_or_code_page(view.machine);
    return t;
}

} // namespace

std::string render_svg(const PanelView& view)
{
    const std::string width = std::to_string(kSurfacePixelsWide);
    const std::string height = std::to_string(kSurfacePixelsHigh);
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\"" +
           attribute("width", width) + attribute("height", height) + attribute("viewBox", "0 0 " + width + " " + height) +
           attribute("font-family", std::string(kFontName) + ", 'DejaVu Sans', sans-serif") +
           attribute("font-size", pixels(kFontPixels)) + ">\n";
    out += "<title>" + markup_escape(title(view)) + "</title>\n";
    if (const auto& stop = view.report.stopped)
        out += "<desc>" +
               markup_escape("Run stopped at " + utf8_or_code_page(stop->step) + ": error " +
                             std::to_string(stop->error_number) + ": " + utf8_or_code_page(stop->message)) +
               "</desc>\n";
    out += "<rect" + box_attributes({0, 0, double(kSurfacePixelsWide), double(kSurfacePixelsHigh)}) +
           attribute("fill", hex_colour(kSurfaceColour)) + attribute("stroke", "none") + "/>\n";

    paint_visible(
        view.panel, [&](const ControlDesign& c, const ControlState& s) { append_label(out, c, s); },
        [&](const ControlDesign& c, const ControlState&) { append_icon(out, c); },
        [&](const ControlDesign& c, const ControlState&) { append_line(out, c); });
    out += "</svg>\n";
    return out;
}

} // namespace prestova
