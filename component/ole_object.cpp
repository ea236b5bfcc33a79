// IOleObject: the container's site, verbs, extent and advise connections.
// Making the control visible (the show and activate verbs) raises Show.
#include "control_object.hpp"

#include "core/script_error.hpp"
#include "misc_status.hpp"

namespace prestova::component {

HRESULT STDMETHODCALLTYPE ControlObject::SetClientSite(IOleClientSite* site)
{
    site_ = site;
    // Asked anew for every site: a control moved to another page is judged
    // by that page. Taking the site away leaves the last judgement standing.
    if (site) lock_to_page(site);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlObject::GetClientSite(IOleClientSite** site)
{
    if (!site) return E_POINTER;
    return site_.CopyTo(site);
}

HRESULT STDMETHODCALLTYPE ControlObject::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

HRESULT STDMETHODCALLTYPE ControlObject::Close(DWORD)
{
    InPlaceDeactivate();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlObject::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE ControlObject::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ControlObject::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE ControlObject::GetClipboardData(DWORD, IDataObject** data)
{
    if (data) *data = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ControlObject::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent,
                                                LPCRECT position)
{
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE: {
        const HRESULT hr = activate_in_place(site ? site : site_.Get(), parent, position);
        if (!shown_) {
            shown_ = true;
            show();
        }
        return hr;
    }
    case OLEIVERB_HIDE:
        if (window_) ShowWindow(window_, SW_HIDE);
        shown_ = false;
        return S_OK;
    default: return OLEOBJ_S_INVALIDVERB;
    }
}

HRESULT STDMETHODCALLTYPE ControlObject::EnumVerbs(IEnumOLEVERB** verbs)
{
    if (!verbs) return E_POINTER;
    return OleRegEnumVerbs(CLSID_Prestova, verbs);
}

HRESULT STDMETHODCALLTYPE ControlObject::Update() { return S_OK; }
HRESULT STDMETHODCALLTYPE ControlObject::IsUpToDate() { return S_OK; }

HRESULT STDMETHODCALLTYPE ControlObject::GetUserClassID(CLSID* clsid) { return GetClassID(clsid); }

HRESULT STDMETHODCALLTYPE ControlObject::GetUserType(DWORD form, LPOLESTR* name)
{
    if (!name) return E_POINTER;
    return OleRegGetUserType(CLSID_Prestova, form, name);
}

HRESULT STDMETHODCALLTYPE ControlObject::SetExtent(DWORD aspect, SIZEL* size)
{
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    extent_ = *size;  // nothing moves: what falls outside is cut off
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlObject::GetExtent(DWORD aspect, SIZEL* size)
{
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    *size = extent_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlObject::Advise(IAdviseSink* sink, DWORD* connection)
{
    if (!advise_holder_) {
        const HRESULT hr = CreateOleAdviseHolder(&advise_holder_);
        if (FAILED(hr)) return hr;
    }
    return advise_holder_->Advise(sink, connection);
}

HRESULT STDMETHODCALLTYPE ControlObject::Unadvise(DWORD connection)
{
    return advise_holder_ ? advise_holder_->Unadvise(connection) : OLE_E_NOCONNECTION;
}

HRESULT STDMETHODCALLTYPE ControlObject::EnumAdvise(IEnumSTATDATA** advise)
{
    if (!advise) return E_POINTER;
    *advise = nullptr;
    return advise_holder_ ? advise_holder_->EnumAdvise(advise) : E_FAIL;
}

HRESULT STDMETHODCALLTYPE ControlObject::GetMiscStatus(DWORD, DWORD* status)
{
    if (!status) return E_POINTER;
    *status = kMiscStatus;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ControlObject::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

void ControlObject::show()
{
    // The run reports where an untrapped error stopped it; the rows it did
    // not reach keep what they showed, and the host carries on.
    try {
        if (!page_refused_) control_.show();
    } catch (...) {}
    repaint();
}

void ControlObject::repaint()
{
    if (window_) InvalidateRect(window_, nullptr, FALSE);
    tell_view_changed();
}

}  // namespace prestova::component
