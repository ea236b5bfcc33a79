// IConnectionPointContainer, and the change notification of a property
// write: IPropertyNotifySink::OnChanged with the property's dispatch
// identifier, after the member was replaced.
#include "control_object.hpp"

#include "com_error.hpp"
#include "control/member_table.hpp"
#include "core/script_error.hpp"
#include "snapshot_enumerator.hpp"

#include <olectl.h>

namespace prestova::component {

namespace {

// Sinks know a property by the dispatch identifier the interface gives it.
std::optional<DISPID> dispid_of(Prop prop)
{
    for (const Member& m : member_table())
        if (m.prop == prop) return m.dispid;
    return std::nullopt;
}

}  // namespace

HRESULT STDMETHODCALLTYPE ControlObject::EnumConnectionPoints(IEnumConnectionPoints** points)
{
    try {
        const std::vector<ComPtr<IConnectionPoint>> list{&property_notify_, &events_};
        return ConnectionPointEnumerator::create(IID_IEnumConnectionPoints, list, points);
    } catch (...) {
        return hresult_from_exception(ErrorReport::StatusOnly);
    }
}

HRESULT STDMETHODCALLTYPE ControlObject::FindConnectionPoint(REFIID riid, IConnectionPoint** point)
{
    if (!point) return E_POINTER;
    *point = nullptr;
    for (ConnectionPoint* p : {&property_notify_, &events_}) {
        if (riid != p->iid()) continue;
        p->AddRef();
        *point = p;
        return S_OK;
    }
    return CONNECT_E_NOCONNECTION;
}

void ControlObject::property_changed(Prop prop)
{
    dirty_ = true;
    const auto dispid = dispid_of(prop);
    if (!dispid) return;
    // Every sink hears of the change; the first failure then reaches the
    // writer, as a failing platform call does.
    HRESULT failure = S_OK;
    for (const ComPtr<IUnknown>& sink : property_notify_.sinks()) {
        const HRESULT hr = static_cast<IPropertyNotifySink*>(sink.Get())->OnChanged(*dispid);
        if (FAILED(hr) && SUCCEEDED(failure)) failure = hr;
    }
    if (SUCCEEDED(failure)) return;
    char code[16];
    wsprintfA(code, "%08lX", static_cast<unsigned long>(failure));
    throw ScriptError(ErrorCode::PlatformFailure, std::string("The change notification of \"")
                                                      .append(property_info(prop).name)
                                                      .append("\" failed (0x")
                                                      .append(code)
                                                      .append(")"));
}

}  // namespace prestova::component
