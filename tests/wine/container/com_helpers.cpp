#include "com_helpers.hpp"

#include "control/identifiers.hpp"
#include "design/panel_design.hpp"

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

InPlace::InPlace(IUnknown* control) : ole(query<IOleObject>(control)), in_place(query<IOleInPlaceObject>(control))
{
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
