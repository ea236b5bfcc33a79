// IObjectSafety: the core has the answers; this only converts the identifier.
#include "control_object.hpp"

#include "host/safe_control.hpp"

#include <algorithm>

namespace prestova::component {

namespace {

Guid core_guid(REFIID riid)
{
    Guid g;
    g.data1 = riid.Data1;
    g.data2 = riid.Data2;
    g.data3 = riid.Data3;
    std::copy(std::begin(riid.Data4), std::end(riid.Data4), g.data4.begin());
    return g;
}

// A reference may come from C as a null pointer; look at its address where
// the compiler cannot assume it is set.
__attribute__((noipa)) const IID* address_of(const IID& riid) { return &riid; }

}  // namespace

// A caller that passes no identifier at all (a null reference) gets the
// core's answer for "none given".
HRESULT STDMETHODCALLTYPE ControlObject::GetInterfaceSafetyOptions(REFIID riid, DWORD* supported, DWORD* enabled)
{
    if (!supported || !enabled) return E_POINTER;
    const IID* pointer = address_of(riid);
    const Guid guid = pointer ? core_guid(riid) : Guid{};
    std::uint32_t s = *supported, e = *enabled;
    const HResult hr = prestova::GetInterfaceSafetyOptions(pointer ? &guid : nullptr, &s, &e, !page_refused_);
    *supported = s;
    *enabled = e;
    return hr;
}

HRESULT STDMETHODCALLTYPE ControlObject::SetInterfaceSafetyOptions(REFIID riid, DWORD mask, DWORD enabled)
{
    const IID* pointer = address_of(riid);
    const Guid guid = pointer ? core_guid(riid) : Guid{};
    return prestova::SetInterfaceSafetyOptions(pointer ? &guid : nullptr, mask, enabled, !page_refused_);
}

}  // namespace prestova::component
