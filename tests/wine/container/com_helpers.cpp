#include "com_helpers.hpp"

#include "control/identifiers.hpp"
#include "design/panel_design.hpp"
#include "fake_page.hpp"

#include <exdisp.h>
#include <shlguid.h>
#include <urlmon.h>

std::string guid_text(const GUID& guid)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return narrow(text, lstrlenW(text));
}

IID iid_of(std::string_view text)
{
    IID iid{};
    IIDFromString(wide(text).c_str(), &iid);
    return iid;
}

ComPtr<IUnknown> create_control()
{
    ComPtr<IUnknown> control;
    const HRESULT created =
        CoCreateInstance(iid_of(prestova::kClassId), nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&control));
    say("create", created);
    return control;
}

DISPID dispid_of(IDispatch* dispatch, const wchar_t* name)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

HRESULT put_property(IDispatch* dispatch, const wchar_t* name, VARIANT& value, EXCEPINFO* exception,
                     UINT* argument_error)
{
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    return dispatch->Invoke(dispid_of(dispatch, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                            nullptr, exception, argument_error);
}

HRESULT draw_panel(IUnknown* control, std::vector<std::uint32_t>& pixels)
{
    auto view = query<IViewObject2>(control);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECTL bounds{0, 0, kWidth, kHeight};
    const HRESULT drawn =
        view ? view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0)
             : E_NOINTERFACE;
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    pixels.assign(first, first + kWidth * kHeight);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return drawn;
}

HRESULT put_text(IDispatch* dispatch, const wchar_t* name, const wchar_t* text, EXCEPINFO* exception)
{
    VARIANT value;
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(text);
    const HRESULT hr = put_property(dispatch, name, value, exception);
    VariantClear(&value);
    return hr;
}

HRESULT get_property(IDispatch* dispatch, const wchar_t* name, VARIANT& value)
{
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    return dispatch->Invoke(dispid_of(dispatch, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                            &value, nullptr, nullptr);
}

std::string read_property(IDispatch* dispatch, const wchar_t* name)
{
    VARIANT value;
    VariantInit(&value);
    if (FAILED(get_property(dispatch, name, value))) return "(failed)";
    std::string out = "vt " + std::to_string(value.vt);
    if (SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BSTR))) out.append(" ").append(narrow(value.bstrVal));
    VariantClear(&value);
    return out;
}

HRESULT STDMETHODCALLTYPE ClientSite::QueryInterface(REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite) *object = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IServiceProvider) *object = static_cast<IServiceProvider*>(this);
    else return *object = nullptr, E_NOINTERFACE;
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ClientSite::GetMoniker(DWORD assign, DWORD which, IMoniker** moniker)
{
    if (!moniker) return E_POINTER;
    *moniker = nullptr;
    if (moniker_address.empty() || assign != OLEGETMONIKER_ONLYIFTHERE || which != OLEWHICHMK_CONTAINER)
        return E_NOTIMPL;
    return CreateURLMonikerEx(nullptr, moniker_address.c_str(), moniker, URL_MK_UNIFORM);
}

HRESULT STDMETHODCALLTYPE ClientSite::GetContainer(IOleContainer** container)
{
    if (!container) return E_POINTER;
    *container = nullptr;
    if (document_address.empty()) return E_NOINTERFACE;
    ComPtr<IUnknown> document;
    *document.GetAddressOf() = new_fake_document(document_address.c_str());
    return document->QueryInterface(IID_PPV_ARGS(container));
}

HRESULT STDMETHODCALLTYPE ClientSite::QueryService(REFGUID service, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (browser_address.empty() || service != SID_SWebBrowserApp) return E_NOINTERFACE;
    ComPtr<IUnknown> browser;
    *browser.GetAddressOf() = new_fake_browser(browser_address.c_str());
    return browser->QueryInterface(riid, object);
}

InPlace::InPlace(IUnknown* control, const std::wstring& address)
    : ole(query<IOleObject>(control)), in_place(query<IOleInPlaceObject>(control))
{
    site.browser_address = address;
    const int width = prestova::kSurfaceWidth / prestova::kTwipsPerPixel;
    const int height = prestova::kSurfaceHeight / prestova::kTwipsPerPixel;
    frame = CreateWindowExA(0, "STATIC", "container", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, width + 40, height + 60,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    std::printf("container window: %s\n", frame ? "yes" : "no");
    if (!ole || !in_place) return;
    say("set client site", ole->SetClientSite(&site));
    const RECT position{0, 0, width, height};
    say("do verb", ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, frame, &position));
    say("window", in_place->GetWindow(&window));
}

InPlace::~InPlace()
{
    if (ole && in_place) {
        say("deactivate", in_place->InPlaceDeactivate());
        say("close", ole->Close(OLECLOSE_NOSAVE));
        ole->SetClientSite(nullptr);
    }
    DestroyWindow(frame);
}
