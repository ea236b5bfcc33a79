#pragma once
// IEnumConnections and IEnumConnectionPoints over a copy of the list taken
// when the enumerator was made: connecting or disconnecting later does not
// disturb an enumeration under way. The copy holds its own references, and
// the module stays loaded while an enumerator lives.
#include "com_error.hpp"
#include "com_ptr.hpp"
#include "connection_point.hpp"
#include "module.hpp"

#include <windows.h>
#include <ocidl.h>

#include <atomic>
#include <memory>
#include <new>
#include <vector>

namespace prestova::component {

// An item as Next hands it out, with a reference of the receiver's own.
inline void hand_out(const Connection& held, CONNECTDATA& out)
{
    out.dwCookie = held.cookie;
    held.sink.CopyTo(&out.pUnk);
}
inline void hand_out(const ComPtr<IConnectionPoint>& held, IConnectionPoint*& out) { held.CopyTo(&out); }

// Interface enumerates Item (what Next hands out); the list keeps Held.
template <class Interface, class Item, class Held>
class SnapshotEnumerator final : public Interface {
public:
    static HRESULT create(const IID& iid, const std::vector<Held>& items, Interface** result)
    {
        if (!result) return E_POINTER;
        *result = nullptr;
        try {
            auto shared = std::make_shared<const std::vector<Held>>(items);
            *result = new SnapshotEnumerator(iid, std::move(shared), 0);
            return S_OK;
        } catch (...) {
            return hresult_from_exception(ErrorReport::StatusOnly);
        }
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (riid != IID_IUnknown && riid != iid_) return E_NOINTERFACE;
        *object = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) override
    {
        if (!out || (count != 1 && !fetched)) return E_POINTER;
        ULONG n = 0;
        for (; n < count && position_ < items_->size(); ++n, ++position_) hand_out((*items_)[position_], out[n]);
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override
    {
        const std::size_t left = items_->size() - position_;
        position_ += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override
    {
        position_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(Interface** result) override
    {
        if (!result) return E_POINTER;
        *result = new (std::nothrow) SnapshotEnumerator(iid_, items_, position_);
        return *result ? S_OK : E_OUTOFMEMORY;
    }

private:
    SnapshotEnumerator(const IID& iid, std::shared_ptr<const std::vector<Held>> items, std::size_t position)
        : iid_(iid), items_(std::move(items)), position_(position)
    {}

    ModuleUse module_use_;
    std::atomic<ULONG> references_{1};
    IID iid_;
    std::shared_ptr<const std::vector<Held>> items_;  // shared by an enumerator and its clones
    std::size_t position_;
};

using ConnectionEnumerator = SnapshotEnumerator<IEnumConnections, CONNECTDATA, Connection>;
using ConnectionPointEnumerator =
    SnapshotEnumerator<IEnumConnectionPoints, IConnectionPoint*, ComPtr<IConnectionPoint>>;

}  // namespace prestova::component
