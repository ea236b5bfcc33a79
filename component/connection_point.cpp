#include "connection_point.hpp"

#include "com_error.hpp"
#include "snapshot_enumerator.hpp"

#include <olectl.h>

namespace prestova::component {

ConnectionPoint::ConnectionPoint(IConnectionPointContainer& container, const IID& iid, const IID* also_accepted)
    : container_(container), iid_(iid), also_accepted_(also_accepted)
{}

HRESULT STDMETHODCALLTYPE ConnectionPoint::QueryInterface(REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IConnectionPoint) return E_NOINTERFACE;
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE ConnectionPoint::AddRef() { return container_.AddRef(); }
ULONG STDMETHODCALLTYPE ConnectionPoint::Release() { return container_.Release(); }

HRESULT STDMETHODCALLTYPE ConnectionPoint::GetConnectionInterface(IID* iid)
{
    if (!iid) return E_POINTER;
    *iid = iid_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container)
{
    if (!container) return E_POINTER;
    *container = &container_;
    container_.AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie)
{
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    ComPtr<IUnknown> connected;
    if (FAILED(sink->QueryInterface(iid_, &connected)) &&
        (!also_accepted_ || FAILED(sink->QueryInterface(*also_accepted_, &connected))))
        return CONNECT_E_CANNOTCONNECT;
    try {
        connections_.push_back(Connection{.sink = connected, .cookie = next_cookie_});
    } catch (...) {
        return hresult_from_exception(ErrorReport::StatusOnly);
    }
    *cookie = next_cookie_++;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::Unadvise(DWORD cookie)
{
    for (auto it = connections_.begin(); it != connections_.end(); ++it) {
        if (it->cookie != cookie) continue;
        // Released last, on the way out: the sink's release may reach back
        // into the control.
        const ComPtr<IUnknown> sink = std::move(it->sink);
        connections_.erase(it);
        return S_OK;
    }
    return CONNECT_E_NOCONNECTION;
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::EnumConnections(IEnumConnections** connections)
{
    return ConnectionEnumerator::create(IID_IEnumConnections, connections_, connections);
}

std::vector<ComPtr<IUnknown>> ConnectionPoint::sinks() const
{
    std::vector<ComPtr<IUnknown>> out;
    out.reserve(connections_.size());
    for (const Connection& c : connections_) out.push_back(c.sink);
    return out;
}

}  // namespace prestova::component
