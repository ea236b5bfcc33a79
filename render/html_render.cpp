// The panel as a web page: absolutely placed cells at the design geometry,
// left to the browser to wrap, with a note of how the run went below it.
#include "render/colour_text.hpp"
#include "render/display_text.hpp"
#include "render/face_uri.hpp"
#include "render/markup_escape.hpp"
#include "render/panel_layout.hpp"
#include "render/panel_render.hpp"
#include "render/text_wrap.hpp"

#include <algorithm>
#include <cctype>

namespace prestova {

namespace {

std::string box_style(const PixelBox& b)
{
    return "left:" + pixels(b.left) + "px;top:" + pixels(b.top) + "px;width:" + pixels(b.width) +
           "px;height:" + pixels(b.height) + "px;";
}

std::string_view align_class(TextAlign align)
{
    switch (align) {
    case TextAlign::Left: return "left";
    case TextAlign::Centre: return "centre";
    case TextAlign::Right: return "right";
    }
    return "left";
}

std::string caption_markup(std::string_view caption)
{
    std::string out;
    bool first = true;
    for (std::string_view line : caption_lines(caption)) {
        if (!first) out += "<br>";
        out += markup_escape(printable_caption(line));
        first = false;
    }
    return out;
}

// Only addresses a browser fetches as a page become links: a page's
// parameter could hold "javascript:".
std::string link_address(const PanelView& view, ControlId id)
{
    for (const auto& [link, address] : view.link_addresses) {
        if (link != id) continue;
        std::string scheme = address.substr(0, address.find(':'));
        for (char& ch : scheme) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (scheme == "http" || scheme == "https" || scheme == "ftp") return address;
    }
    return {};
}

void append_label(std::string& out, const ControlDesign& c, const ControlState& s, const std::string& address)
{
    const StyleLook look = style_look(c.style);
    std::string classes = "cell " + std::string(align_class(look.align));
    if (look.border) classes += " border";
    if (look.bold) classes += " bold";
    if (look.underline) classes += " link";
    const std::string tag = address.empty() ? "div" : "a";
    out += "<" + tag + " id=\"" + markup_escape(c.name) + "\" class=\"" + classes + "\" style=\"" +
           box_style(pixel_box(c)) + "background:" + hex_colour(s.background) +
           ";color:" + hex_colour(look.text_colour) + "\"" +
           (address.empty() ? "" : " href=\"" + markup_escape(address) + "\"") + ">" + caption_markup(s.caption) +
           "</" + tag + ">\n";
}

std::string_view verdict_word(Verdict v)
{
    switch (v) {
    case Verdict::Good: return "good";
    case Verdict::Okay: return "okay";
    case Verdict::Bad: return "bad";
    }
    return "";
}

void append_icon(std::string& out, const ControlDesign& c)
{
    out += "<img id=\"" + markup_escape(c.name) + "\" class=\"face\" style=\"" + box_style(pixel_box(c)) + "\" alt=\"" +
           std::string(verdict_word(c.verdict)) + "\" src=\"" + face_data_uri(c.verdict) + "\">\n";
}

void append_line(std::string& out, const ControlDesign& c)
{
    // A one-pixel box stands for the line; it has no thickness of its own.
    PixelBox b = pixel_box(c);
    b.width = std::max(b.width, 1.0);
    b.height = std::max(b.height, 1.0);
    out += "<div id=\"" + markup_escape(c.name) + "\" class=\"line\" style=\"" + box_style(b) +
           "background:" + hex_colour(kWindowTextColour) + "\"></div>\n";
}

std::string run_note(const PanelView& view)
{
    std::string out;
    if (const auto& stop = view.report.stopped)
        out += "<p class=\"stopped\">Run stopped at " + markup_escape(utf8_or_code_page(stop->step)) + ": error " +
               std::to_string(stop->error_number) + ": " + markup_escape(utf8_or_code_page(stop->message)) + "</p>\n";
    else out += "<p>The run reached its end.</p>\n";
    if (view.clicks.empty()) return out;
    out += "<table class=\"clicks\"><caption>Link clicks</caption>\n"
           "<tr><th>Link</th><th>File</th><th>Parameters</th><th>Result</th></tr>\n";
    for (const auto& click : view.clicks)
        out += "<tr><td>" + markup_escape(utf8_or_code_page(click.label())) + "</td><td>" +
               markup_escape(printable_caption(click.file)) + "</td><td>" +
               markup_escape(printable_caption(click.parameters)) + "</td><td>" + std::to_string(click.result) +
               "</td></tr>\n";
    return out + "</table>\n";
}

}  // namespace

std::string render_html(const PanelView& view)
{
    std::string title = "Prestova results panel";
    if (!view.machine.empty()) title += " for machine " + utf8_or_code_page(view.machine);

    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
                      markup_escape(title) + "</title>\n<style>\n";
    // Where Verdana is missing, DejaVu Sans (as wide) a little smaller, so
    // that the captions wrap within their cells as they do in Verdana.
    out += "@font-face{font-family:PanelFallback;src:local('DejaVu Sans');size-adjust:94%}\n";
    out += "body{font-family:sans-serif;margin:16px}h1{font-size:16px}main{overflow-x:auto}\n";
    out += ".panel{position:relative;overflow:hidden;width:" + std::to_string(kSurfacePixelsWide) +
           "px;height:" + std::to_string(kSurfacePixelsHigh) + "px;background:" + hex_colour(kSurfaceColour) +
           ";font-family:" + std::string(kFontName) + ",PanelFallback,sans-serif;font-size:" + pixels(kFontPixels) +
           "px;line-height:" + pixels(kLinePixels) + "px}\n";
    out += ".cell{position:absolute;box-sizing:border-box;overflow:hidden;white-space:pre-wrap;"
           "padding:0 1px;margin:0}\n";
    out += ".border{border:1px solid " + hex_colour(kWindowTextColour) + "}\n";
    out += ".left{text-align:left}.centre{text-align:center}.right{text-align:right}\n";
    out += ".bold{font-weight:bold}.link{text-decoration:underline;cursor:pointer}a.cell{display:block}\n";
    out += ".face,.line{position:absolute}\n";
    out += ".stopped{color:#C00000;font-weight:bold}\n";
    out += ".clicks{border-collapse:collapse}.clicks td,.clicks th{border:1px solid #808080;padding:2px 6px}\n";
    out += "</style>\n</head>\n<body>\n<main>\n<h1>" + markup_escape(title) + "</h1>\n<div class=\"panel\">\n";

    paint_visible(
        view.panel,
        [&](const ControlDesign& c, const ControlState& s) { append_label(out, c, s, link_address(view, c.id)); },
        [&](const ControlDesign& c, const ControlState&) { append_icon(out, c); },
        [&](const ControlDesign& c, const ControlState&) { append_line(out, c); });
    out += "</div>\n" + run_note(view) + "</main>\n</body>\n</html>\n";
    return out;
}

}  // namespace prestova
