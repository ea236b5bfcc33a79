#include "panel_painter.hpp"

#include "pictures/face_pictures.hpp"
#include "render/panel_layout.hpp"

#include <cmath>
#include <string>

namespace prestova::component {

namespace {

constexpr int kFontHeight = 13;  // Verdana 9.75 pt at 96 pixels per inch

RECT pixel_rect(const ControlDesign& c)
{
    const PixelBox b = pixel_box(c);
    return {static_cast<LONG>(std::lround(b.left)), static_cast<LONG>(std::lround(b.top)),
            static_cast<LONG>(std::lround(b.left + b.width)), static_cast<LONG>(std::lround(b.top + b.height))};
}

// Captions break lines at a lone carriage return; DrawText wants CR LF.
std::string drawable(const std::string& caption)
{
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const char c = caption[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < caption.size() && caption[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

void fill(HDC dc, const RECT& r, std::int32_t colour)
{
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(colour));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void paint_label(HDC dc, const ControlDesign& c, const ControlState& s)
{
    const StyleLook look = style_look(c.style);
    const RECT box = pixel_rect(c);
    fill(dc, box, s.background);
    if (look.border) {
        HBRUSH frame = CreateSolidBrush(static_cast<COLORREF>(kWindowTextColour));
        FrameRect(dc, &box, frame);
        DeleteObject(frame);
    }
    if (s.caption.empty()) return;
    const int border = look.border ? 1 : 0;
    const int inset = static_cast<int>(text_inset(c));
    RECT text{box.left + inset, box.top + border, box.right - inset, box.bottom - border};
    HFONT font = CreateFontA(-kFontHeight, 0, 0, 0, look.bold ? FW_BOLD : FW_NORMAL, FALSE, look.underline, FALSE,
                             ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, std::string(kFontName).c_str());
    HGDIOBJ old_font = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(look.text_colour));
    UINT format = DT_WORDBREAK | DT_NOPREFIX | DT_TOP;
    if (look.align == TextAlign::Centre) format |= DT_CENTER;
    if (look.align == TextAlign::Right) format |= DT_RIGHT;
    std::string caption = drawable(s.caption);
    DrawTextA(dc, caption.data(), static_cast<int>(caption.size()), &text, format);
    SelectObject(dc, old_font);
    DeleteObject(font);
}

// The face as a premultiplied 32-bit bitmap: the transparent index gets
// alpha 0, so AlphaBlend draws only the face's own pixels.
HBITMAP face_bitmap(HDC dc, Verdict verdict)
{
    const IndexedImage& image = face_image(verdict);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) return bitmap;
    auto* out = static_cast<std::uint32_t*>(bits);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const std::uint8_t index = image.pixels[i];
        // Palette entries are 0xRRGGBB, which is also the DIB's BGRA order.
        out[i] = index == image.transparent_index ? 0u : 0xFF000000u | image.palette[index];
    }
    return bitmap;
}

void paint_icon(HDC dc, const ControlDesign& c)
{
    const RECT box = pixel_rect(c);
    HDC source = CreateCompatibleDC(dc);
    HBITMAP bitmap = face_bitmap(dc, c.verdict);
    if (source && bitmap) {
        HGDIOBJ old = SelectObject(source, bitmap);
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, source, 0, 0, kFaceSize,
                   kFaceSize, blend);
        SelectObject(source, old);
    }
    if (bitmap) DeleteObject(bitmap);
    if (source) DeleteDC(source);
}

void paint_line(HDC dc, const ControlDesign& c)
{
    const RECT box = pixel_rect(c);
    HPEN pen = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(kWindowTextColour));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, box.left, box.top, nullptr);
    LineTo(dc, box.right, box.bottom);
    SelectObject(dc, old);
    DeleteObject(pen);
}

}  // namespace

void paint_panel(HDC dc, const PanelState& panel)
{
    fill(dc, RECT{0, 0, kSurfacePixelsWide, kSurfacePixelsHigh}, kSurfaceColour);
    for (ControlId id : drawing_order()) {
        const ControlDesign& c = design(id);
        const ControlState& s = panel.state(id);
        if (!s.visible) continue;
        switch (c.kind) {
        case ControlKind::Label: paint_label(dc, c, s); break;
        case ControlKind::Icon: paint_icon(dc, c); break;
        case ControlKind::Line: paint_line(dc, c); break;
        }
    }
}

std::optional<ControlId> link_at(const PanelState& panel, POINT pixel)
{
    std::optional<ControlId> hit;
    for (ControlId id : drawing_order()) {  // the last one drawn lies on top
        const ControlDesign& c = design(id);
        if (c.style != CellStyle::Link || !panel.state(id).visible) continue;
        const RECT box = pixel_rect(c);
        if (PtInRect(&box, pixel)) hit = id;
    }
    return hit;
}

}  // namespace prestova::component
