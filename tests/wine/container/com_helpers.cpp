#include "com_helpers.hpp"

#include "control/identifiers.hpp"

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

IUnknown* create_control(CLSID& clsid)
{
    clsid = iid_of(prestova::kClassId);
    IUnknown* control = nullptr;
    const HRESULT created =
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&control));
    say("create", created);
    return SUCCEEDED(created) ? control : nullptr;
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
