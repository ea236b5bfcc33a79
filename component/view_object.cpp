// IViewObject2: the container asks for a picture of the panel in a rectangle
// of its device context (printing, a memory bitmap, a windowless page).
#include "control_object.hpp"

#include "panel_painter.hpp"

#include <cmath>

namespace prestova::component {

namespace {

// HIMETRIC (0.01 mm) to design pixels at 15 twips per pixel.
LONG himetric_to_pixels(LONG himetric)
{
    return static_cast<LONG>(std::lround(himetric * 1440.0 / 2540.0 / kTwipsPerPixel));
}

}  // namespace

HRESULT STDMETHODCALLTYPE ControlObject::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds,
                                              LPCRECTL, WINBOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR)
{
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!dc || !bounds) return E_INVALIDARG;
    // The panel's extent maps onto the bounds; the bounds are in the DC's
    // own logical units, so the mapping is built on device units.
    POINT corners[2] = {{bounds->left, bounds->top}, {bounds->right, bounds->bottom}};
    LPtoDP(dc, corners, 2);
    const int saved = SaveDC(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, himetric_to_pixels(extent_.cx), himetric_to_pixels(extent_.cy), nullptr);
    SetViewportOrgEx(dc, corners[0].x, corners[0].y, nullptr);
    SetViewportExtEx(dc, corners[1].x - corners[0].x, corners[1].y - corners[0].y, nullptr);
    IntersectClipRect(dc, 0, 0, himetric_to_pixels(extent_.cx), himetric_to_pixels(extent_.cy));
    paint_panel(dc, panel_);
    RestoreDC(dc, saved);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlObject::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colours)
{
    if (colours) *colours = nullptr;
    return S_FALSE;  // no particular palette
}

HRESULT STDMETHODCALLTYPE ControlObject::Freeze(DWORD, LONG, void*, DWORD*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE ControlObject::Unfreeze(DWORD) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE ControlObject::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink)
{
    view_sink_ = sink;
    view_sink_aspects_ = aspects;
    view_sink_flags_ = flags;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlObject::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink)
{
    if (aspects) *aspects = view_sink_aspects_;
    if (flags) *flags = view_sink_flags_;
    if (sink) view_sink_.CopyTo(sink);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlObject::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size)
{
    return GetExtent(aspect, size);
}

void ControlObject::tell_view_changed()
{
    if (view_sink_ && (view_sink_aspects_ & DVASPECT_CONTENT)) view_sink_->OnViewChange(DVASPECT_CONTENT, -1);
}

}  // namespace prestova::component
