#include "panel_window.hpp"

#include "control_object.hpp"
#include "module.hpp"
#include "panel_painter.hpp"

namespace prestova::component {

namespace {

constexpr const char* kWindowClass = "TallymerePrestovaPanel";

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
    case WM_LBUTTONUP:
        if (ControlObject* control = owner(window))
            control->click(POINT{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))});
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

} // namespace

HWND create_panel_window(ControlObject& control, HWND parent, const RECT& position)
{
    if (!register_class()) return nullptr;
    return CreateWindowExA(0, kWindowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, position.left, position.top,
                           position.right - position.left, position.bottom - position.top, parent, nullptr,
                           module_handle(), &control);
}

void ControlObject::paint(HDC dc, const RECT&)
{
    paint_panel(dc, panel_);
}

void ControlObject::click(POINT pixel)
{
    const auto link = link_at(panel_, pixel);
    if (!link) return;
    try {
        click_link(control_, *link);  // the control ignores the shell's answer
    } catch (...) {
        // An address that does not convert to text opens nothing.
    }
}

} // namespace prestova::component
