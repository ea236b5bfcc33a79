// IOleWindow and IOleInPlaceObject: the window the control has while it is
// active in place in its container.
#include "control_object.hpp"

#include "panel_window.hpp"

namespace prestova::component {

HRESULT ControlObject::activate_in_place(IOleClientSite* site, HWND parent, LPCRECT position)
{
    if (window_) {
        ShowWindow(window_, SW_SHOW);
        return S_OK;
    }
    ComPtr<IOleInPlaceSite> in_place;
    if (site) site->QueryInterface(IID_IOleInPlaceSite, &in_place);
    RECT where{0, 0, kSurfaceWidth / kTwipsPerPixel, kSurfaceHeight / kTwipsPerPixel};
    if (in_place) {
        if (in_place->CanInPlaceActivate() != S_OK) return E_FAIL;
        in_place->OnInPlaceActivate();
        if (!parent) in_place->GetWindow(&parent);
        if (!position) {
            ComPtr<IOleInPlaceFrame> frame;
            ComPtr<IOleInPlaceUIWindow> document;
            RECT clip;
            OLEINPLACEFRAMEINFO info{};
            info.cb = sizeof info;
            in_place->GetWindowContext(&frame, &document, &where, &clip, &info);
        }
    }
    if (position) where = *position;
    // A container without a window shows the control through IViewObject.
    if (!parent) return S_OK;
    window_ = create_panel_window(*this, parent, where);
    if (!window_) {
        const DWORD error = GetLastError();
        if (in_place) in_place->OnInPlaceDeactivate();
        return HRESULT_FROM_WIN32(error);
    }
    in_place_site_ = in_place;
    return S_OK;
}

void ControlObject::destroy_window()
{
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
}

HRESULT STDMETHODCALLTYPE ControlObject::GetWindow(HWND* window)
{
    if (!window) return E_POINTER;
    *window = window_;
    return window_ ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE ControlObject::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE ControlObject::InPlaceDeactivate()
{
    destroy_window();
    shown_ = false;  // the next activation makes it visible again
    if (in_place_site_) {
        in_place_site_->OnInPlaceDeactivate();
        in_place_site_ = nullptr;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlObject::UIDeactivate() { return S_OK; }

HRESULT STDMETHODCALLTYPE ControlObject::SetObjectRects(LPCRECT position, LPCRECT)
{
    if (!position) return E_POINTER;
    if (window_)
        MoveWindow(window_, position->left, position->top, position->right - position->left,
                   position->bottom - position->top, TRUE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlObject::ReactivateAndUndo() { return INPLACE_E_NOTUNDOABLE; }

}  // namespace prestova::component
