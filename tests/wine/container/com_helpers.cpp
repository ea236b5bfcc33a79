#include "com_helpers.hpp"

#include "control/identifiers.hpp"

IUnknown* create_control(CLSID& clsid)
{
    CLSIDFromString(wide(prestova::kClassId).c_str(), &clsid);
    IUnknown* control = nullptr;
    const HRESULT created =
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&control));
    say("create", created);
    return SUCCEEDED(created) ? control : nullptr;
}

std::string read_property(IDispatch* dispatch, const wchar_t* name)
{
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return "(no such name)";
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT value;
    VariantInit(&value);
    if (FAILED(
            dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr)))
        return "(failed)";
    std::string out = "vt " + std::to_string(value.vt);
    if (SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BSTR))) {
        char text[256] = {};
        WideCharToMultiByte(CP_ACP, 0, value.bstrVal, -1, text, sizeof text - 1, nullptr, nullptr);
        out.append(" ").append(text);
    }
    VariantClear(&value);
    return out;
}
