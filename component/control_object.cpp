#include "control_object.hpp"

#include "module.hpp"

namespace prestova::component {

ControlObject::ControlObject() : control_(machine_.platform(), panel_, this) { thread_startup(); }

// The container's pointers go with the members that hold them.
ControlObject::~ControlObject() { destroy_window(); }

HRESULT STDMETHODCALLTYPE ControlObject::QueryInterface(REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID__Prestova) *object = static_cast<_Prestova*>(this);
    else if (riid == IID_IObjectSafety) *object = static_cast<IObjectSafety*>(this);
    else if (riid == IID_IPersist || riid == IID_IPersistPropertyBag) *object = static_cast<IPersistPropertyBag*>(this);
    else if (riid == IID_IPersistStreamInit) *object = static_cast<IPersistStreamInit*>(this);
    else if (riid == IID_IOleObject) *object = static_cast<IOleObject*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject) *object = static_cast<IOleInPlaceObject*>(this);
    else if (riid == IID_IViewObject || riid == IID_IViewObject2) *object = static_cast<IViewObject2*>(this);
    else if (riid == IID_IConnectionPointContainer) *object = static_cast<IConnectionPointContainer*>(this);
    else if (riid == IID_ISupportErrorInfo) *object = static_cast<ISupportErrorInfo*>(this);
    else if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2)
        *object = static_cast<IProvideClassInfo2*>(this);
    else return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE ControlObject::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE ControlObject::Release()
{
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

}  // namespace prestova::component
