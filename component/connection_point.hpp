#pragma once
// One outgoing interface of the control and the sinks connected to it. The
// point lives inside the control and shares its reference count, as the
// container it belongs to.
#include "com_ptr.hpp"

#include <windows.h>
#include <ocidl.h>

#include <vector>

namespace prestova::component {

// A connected sink as the connection point keeps it.
struct Connection {
    ComPtr<IUnknown> sink;  // the sink as the interface it connected with
    DWORD cookie;
};

class ConnectionPoint final : public IConnectionPoint {
public:
    // A sink connects when it answers for iid, or, where also_accepted is
    // given, for that (a dispinterface's sink may only say IDispatch).
    ConnectionPoint(IConnectionPointContainer& container, const IID& iid, const IID* also_accepted = nullptr);
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

    const IID& iid() const { return iid_; }
    // The sinks connected now, each held by the copy: a sink may disconnect
    // while it is being called.
    std::vector<ComPtr<IUnknown>> sinks() const;

private:
    IConnectionPointContainer& container_;
    IID iid_;
    const IID* also_accepted_;
    std::vector<Connection> connections_;
    DWORD next_cookie_ = 1;
};

}  // namespace prestova::component
