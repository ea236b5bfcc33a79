// The panel as the student sees it, drawn as SVG at one pixel per 15 twips.
#include "render/colour_text.hpp"
#include "render/display_text.hpp"
#include "render/face_uri.hpp"
#include "render/markup_escape.hpp"
#include "render/panel_layout.hpp"
#include "render/panel_render.hpp"
#include "render/svg_parts.hpp"
#include "render/text_wrap.hpp"

namespace prestova {

namespace {

constexpr double kAscent = 13.0;  // Verdana's ascent at 13 px: the first baseline below the cell's top
// A last line whose box passes the cell's bottom by no more than this loses
// at most a descender's tip, too little to be worth a clip.
constexpr double kClipTolerance = 1.0;

// What the drawing writes: the SVG text and, when asked, the fragments it
// is cut into, so that a page showing many panels can write the markup once.
class SvgOut {
public:
    explicit SvgOut(std::vector<SvgFragment>* fragments = nullptr) : fragments_(fragments) {}

    std::string text;

    // A text of the run, escaped.
    void own(std::string_view utf8)
    {
        end_markup();
        append_markup_escaped(text, utf8);
        end_fragment(true);
    }
    // Ends the markup so far: before and after what many parts share.
    void end_markup() { end_fragment(false); }

private:
    void end_fragment(bool own)
    {
        if (!fragments_ || text.size() == ended_) return;
        fragments_->push_back({text.size(), own});
        ended_ = text.size();
    }

    std::vector<SvgFragment>* fragments_;
    std::size_t ended_ = 0;
};

// Written straight into the document: a panel has hundreds of attributes,
// and a string made for each was most of the drawing's work.
void put_attribute(std::string& out, std::string_view name, std::string_view value)
{
    out.append(" ").append(name).append("=\"");
    append_markup_escaped(out, value);
    out.append("\"");
}

void put_box(std::string& out, const PixelBox& b)
{
    put_attribute(out, "x", pixels(b.left));
    put_attribute(out, "y", pixels(b.top));
    put_attribute(out, "width", pixels(b.width));
    put_attribute(out, "height", pixels(b.height));
}

// The caption, wrapped to the cell and cut off at its edges as the label is.
// The clip is written only where the text reaches an edge: simple renderers
// (ImageMagick's own) garble clipped text, and most cells never need it.
void append_caption(SvgOut& svg, const ControlDesign& c, const ControlState& s, const PixelBox& b)
{
    std::string& out = svg.text;
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
    const std::string clip_id = std::string("clip-").append(c.name);
    if (reaches_edge) {
        out += "<clipPath";
        put_attribute(out, "id", clip_id);
        out += "><rect";
        put_box(out, inside);
        out += "/></clipPath>";
    }

    double x = b.left + inset;
    std::string_view anchor = "start";
    if (look.align == TextAlign::Centre) {
        x = b.left + b.width / 2;
        anchor = "middle";
    }
    if (look.align == TextAlign::Right) {
        x = b.left + b.width - inset;
        anchor = "end";
    }

    // Every paint attribute is explicit: ImageMagick's renderer carries a
    // stroke over from the previous element and would embolden the text.
    out += "<text";
    put_attribute(out, "stroke", "none");
    if (reaches_edge) put_attribute(out, "clip-path", std::string("url(#").append(clip_id).append(")"));
    put_attribute(out, "fill", hex_colour(look.text_colour));
    put_attribute(out, "text-anchor", anchor);
    put_attribute(out, "font-weight", look.bold ? "bold" : "normal");
    out += " xml:space=\"preserve\">";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out += "<tspan";
        put_attribute(out, "x", pixels(x));
        put_attribute(out, "y", pixels(inside.top + static_cast<double>(i) * kLinePixels + kAscent));
        // On each line: some renderers do not hand a decoration down from <text>.
        if (look.underline) put_attribute(out, "text-decoration", "underline");
        out += ">";
        svg.own(printable_caption(lines[i]));
        out += "</tspan>";
    }
    out += "</text>";
}

void append_label(SvgOut& svg, const ControlDesign& c, const ControlState& s)
{
    std::string& out = svg.text;
    const PixelBox b = pixel_box(c);
    out += "<g";
    put_attribute(out, "id", c.name);
    out += "><rect";
    put_box(out, b);
    put_attribute(out, "fill", hex_colour(s.background));
    put_attribute(out, "stroke", "none");
    out += "/>";
    if (style_look(c.style).border) {  // a 1 px line just inside the cell's edge
        out += "<rect";
        put_box(out, {b.left + 0.5, b.top + 0.5, b.width - 1, b.height - 1});
        put_attribute(out, "fill", "none");
        put_attribute(out, "stroke", hex_colour(kWindowTextColour));
        put_attribute(out, "stroke-width", "1");
        out += "/>";
    }
    append_caption(svg, c, s, b);
    out += "</g>\n";
}

void append_icon(SvgOut& svg, const ControlDesign& c)
{
    std::string& out = svg.text;
    out += "<image";
    put_attribute(out, "id", c.name);
    put_box(out, pixel_box(c));
    put_attribute(out, "preserveAspectRatio", "none");
    // A data URI is base64 after a fixed scheme: nothing in it to escape.
    out += " xlink:href=\"";
    svg.end_markup();  // the picture is the same in every icon of its verdict
    out += face_data_uri(c.verdict);
    svg.end_markup();
    out += "\"/>\n";
}

void append_line(SvgOut& svg, const ControlDesign& c)
{
    std::string& out = svg.text;
    const PixelBox b = pixel_box(c);
    // Half-pixel positions put a vertical 1 px line on the same pixels as the borders.
    const double dx = b.width == 0 ? 0.5 : 0;
    const double dy = b.height == 0 ? 0.5 : 0;
    out += "<line";
    put_attribute(out, "id", c.name);
    put_attribute(out, "x1", pixels(b.left + dx));
    put_attribute(out, "y1", pixels(b.top + dy));
    put_attribute(out, "x2", pixels(b.left + b.width + dx));
    put_attribute(out, "y2", pixels(b.top + b.height + dy));
    put_attribute(out, "stroke", hex_colour(kWindowTextColour));
    put_attribute(out, "stroke-width", "1");
    out += "/>\n";
}

void append_head(SvgOut& svg)
{
    std::string& out = svg.text;
    const std::string width = std::to_string(kSurfacePixelsWide);
    const std::string height = std::to_string(kSurfacePixelsHigh);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\"";
    put_attribute(out, "width", width);
    put_attribute(out, "height", height);
    put_attribute(out, "viewBox", std::string("0 0 ").append(width).append(" ").append(height));
    put_attribute(out, "font-family", std::string(kFontName).append(", 'DejaVu Sans', sans-serif"));
    put_attribute(out, "font-size", pixels(kFontPixels));
    out += ">\n";
}

void append_title(SvgOut& svg, const PanelView& view)
{
    svg.text += "<title>Prestova results panel";
    if (!view.machine.empty()) {
        svg.text += " for machine ";
        svg.own(utf8_or_code_page(view.machine));
    }
    svg.text += "</title>\n";
}

void append_stop(SvgOut& svg, const PanelView& view)
{
    const auto& stop = view.report.stopped;
    if (!stop) return;
    svg.text += "<desc>";
    svg.own(std::string("Run stopped at ")
                .append(utf8_or_code_page(stop->step))
                .append(": error ")
                .append(std::to_string(stop->error_number))
                .append(": ")
                .append(utf8_or_code_page(stop->message)));
    svg.text += "</desc>\n";
}

void append_surface(SvgOut& svg)
{
    std::string& out = svg.text;
    out += "<rect";
    put_box(out, {0, 0, double(kSurfacePixelsWide), double(kSurfacePixelsHigh)});
    put_attribute(out, "fill", hex_colour(kSurfaceColour));
    put_attribute(out, "stroke", "none");
    out += "/>\n";
}

// The panel's parts in the order they are drawn: the head, the title, the
// stop, the surface, one part per control in drawing order, the end.
enum : std::size_t { kHeadPart, kTitlePart, kStopPart, kSurfacePart, kFirstControlPart };

std::size_t part_count() { return kFirstControlPart + drawing_order().size() + 1; }

bool is_control_part(std::size_t part)
{
    return part >= kFirstControlPart && part - kFirstControlPart < drawing_order().size();
}

void append_part(SvgOut& svg, const PanelView& view, std::size_t part)
{
    switch (part) {
    case kHeadPart: append_head(svg); return;
    case kTitlePart: append_title(svg, view); return;
    case kStopPart: append_stop(svg, view); return;
    case kSurfacePart: append_surface(svg); return;
    default: break;
    }
    if (!is_control_part(part)) {
        svg.text += "</svg>\n";
        return;
    }
    const ControlId id = drawing_order()[part - kFirstControlPart];
    paint_control(
        design(id), view.panel.state(id),
        [&](const ControlDesign& c, const ControlState& s) { append_label(svg, c, s); },
        [&](const ControlDesign& c, const ControlState&) { append_icon(svg, c); },
        [&](const ControlDesign& c, const ControlState&) { append_line(svg, c); });
}

// Whether the part is drawn as in the panel as designed.
bool as_designed(const PanelView& view, std::size_t part)
{
    if (part == kTitlePart) return view.machine.empty();
    if (part == kStopPart) return !view.report.stopped;
    if (!is_control_part(part)) return true;
    const ControlId id = drawing_order()[part - kFirstControlPart];
    const ControlDesign& c = design(id);
    const ControlState& s = view.panel.state(id);
    return s.visible == c.visible_at_start && (!s.visible || (s.caption == c.caption && s.background == c.background));
}

}  // namespace

std::string render_svg(const PanelView& view)
{
    SvgOut svg;
    svg.text.reserve(32 * 1024);  // a panel with its face pictures
    for (std::size_t part = 0; part < part_count(); ++part) append_part(svg, view, part);
    return std::move(svg.text);
}

std::vector<std::string> designed_svg_parts()
{
    const PanelState designed;
    const RunReport no_stop;
    const PanelView view{designed, no_stop, {}, ""};
    std::vector<std::string> parts;
    for (std::size_t part = 0; part < part_count(); ++part) {
        SvgOut svg;
        append_part(svg, view, part);
        parts.push_back(std::move(svg.text));
    }
    return parts;
}

std::vector<std::size_t> changed_svg_parts(const PanelView& view)
{
    std::vector<std::size_t> parts;
    for (std::size_t part = 0; part < part_count(); ++part)
        if (!as_designed(view, part)) parts.push_back(part);
    return parts;
}

void svg_part_source(const PanelView& view, std::size_t part, std::string& source)
{
    // Texts of any content go with their lengths, so no two sources run together.
    const auto add_text = [&source](std::string_view text) {
        source.append(std::to_string(text.size())).append(":").append(text);
    };
    source.assign(std::to_string(part)).append(":");
    if (part == kTitlePart) add_text(view.machine);
    if (part == kStopPart && view.report.stopped) {
        const RunStop& stop = *view.report.stopped;
        add_text(stop.step);
        add_text(std::to_string(stop.error_number));
        add_text(stop.message);
    }
    if (is_control_part(part)) {
        const ControlState& s = view.panel.state(drawing_order()[part - kFirstControlPart]);
        source.append(s.visible ? "shown:" : "hidden:").append(std::to_string(s.background)).append(":");
        add_text(s.caption);
    }
}

SvgPart draw_svg_part(const PanelView& view, std::size_t part)
{
    SvgPart drawn;
    SvgOut svg(&drawn.fragments);
    append_part(svg, view, part);
    svg.end_markup();
    drawn.text = std::move(svg.text);
    return drawn;
}

}  // namespace prestova
