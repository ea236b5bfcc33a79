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
