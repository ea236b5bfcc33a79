#include "panel_window.hpp"

#include "control_object.hpp"
#include "module.hpp"
#include "panel_painter.hpp"

namespace prestova::component {

namespace {

constexpr const char* kWindowClass = "TallymerePrestovaPanel";

POINT point_of(LPARAM lparam) { return POINT{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))}; }

ControlObject* owner(HWND window) { return reinterpret_cast<ControlObject*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

LRESULT CALLBACK panel_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_NCCREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_ERASEBKGND: return 1;  // the paint covers the whole surface
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (ControlObject* control = owner(window)) control->paint(dc, paint.rcPaint);
        EndPaint(window, &paint);
        return 0;
    }
    // A click is a press and a release on the same link, as a label's click
    // is; the capture sees a release that happens outside the window.
    case WM_LBUTTONDOWN:
        SetCapture(window);
        if (ControlObject* control = owner(window)) control->press(point_of(lparam));
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == window) ReleaseCapture();
        if (ControlObject* control = owner(window)) control->release(point_of(lparam));
        return 0;
    case WM_NCDESTROY: SetWindowLongPtrA(window, GWLP_USERDATA, 0); break;
    default: break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

bool register_class()
{
    WNDCLASSA existing;
    if (GetClassInfoA(module_handle(), kWindowClass, &existing)) return true;
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = panel_procedure;
    wc.hInstance = module_handle();
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kWindowClass;
    return RegisterClassA(&wc) != 0;
}

}  // namespace

HWND create_panel_window(ControlObject& control, HWND parent, const RECT& position)
{
    if (!register_class()) return nullptr;
    return CreateWindowExA(0, kWindowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, position.left, position.top,
                           position.right - position.left, position.bottom - position.top, parent, nullptr,
                           module_handle(), &control);
}

void ControlObject::paint(HDC dc, const RECT&) { paint_panel(dc, panel_); }

void ControlObject::press(POINT pixel) { pressed_link_ = link_at(panel_, pixel); }

void ControlObject::release(POINT pixel)
{
    const auto link = link_at(panel_, pixel);
    const bool same = link && link == pressed_link_;
    pressed_link_.reset();
    if (!same || page_refused_) return;
    try {
        click_link(control_, *link);  // the control ignores the shell's answer
    } catch (...) {
        // An address that does not convert to text opens nothing.
    }
}

}  // namespace prestova::component
