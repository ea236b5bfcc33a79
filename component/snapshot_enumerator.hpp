#pragma once
// IEnumConnections and IEnumConnectionPoints over a copy of the list taken
// when the enumerator was made: connecting or disconnecting later does not
// disturb an enumeration under way. The items hold their own references, and
// the module stays loaded while an enumerator lives.
#include "module.hpp"

#include <windows.h>
#include <ocidl.h>

#include <atomic>
#include <memory>
#include <new>
#include <vector>

namespace prestova::component {

inline void retain(CONNECTDATA& item) { item.pUnk->AddRef(); }
inline void release(CONNECTDATA& item) { item.pUnk->Release(); }
inline void retain(IConnectionPoint* item) { item->AddRef(); }
inline void release(IConnectionPoint* item) { item->Release(); }

template <class Interface, class Item>
class SnapshotEnumerator final : public Interface {
public:
    // Takes a reference on every item.
    static HRESULT create(const IID& iid, const std::vector<Item>& items, Interface** result)
    {
        if (!result) return E_POINTER;
        *result = nullptr;
        try {
            auto shared = std::make_shared<Items>(items);
            *result = new SnapshotEnumerator(iid, std::move(shared), 0);
            return S_OK;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
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
        for (; n < count && position_ < items_->list.size(); ++n, ++position_) {
            out[n] = items_->list[position_];
            retain(out[n]);
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override
    {
        const std::size_t left = items_->list.size() - position_;
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
    // Shared by an enumerator and its clones; the references go with it.
    struct Items {
        explicit Items(const std::vector<Item>& items) : list(items)
        {
            for (Item& item : list) retain(item);
        }
        ~Items()
        {
            for (Item& item : list) release(item);
        }
        Items(const Items&) = delete;
        Items& operator=(const Items&) = delete;
        std::vector<Item> list;
    };

    SnapshotEnumerator(const IID& iid, std::shared_ptr<Items> items, std::size_t position)
        : iid_(iid), items_(std::move(items)), position_(position)
    {
        object_created();
    }
    ~SnapshotEnumerator() { object_destroyed(); }

    std::atomic<ULONG> references_{1};
    IID iid_;
    std::shared_ptr<Items> items_;
    std::size_t position_;
};

using ConnectionEnumerator = SnapshotEnumerator<IEnumConnections, CONNECTDATA>;
using ConnectionPointEnumerator = SnapshotEnumerator<IEnumConnectionPoints, IConnectionPoint*>;

} // namespace prestova::component
