// The class factory and the two entry points that hand it out and answer
// whether the DLL may be unloaded.
#include "com_error.hpp"
#include "com_ptr.hpp"
#include "control_object.hpp"
#include "module.hpp"

namespace prestova::component {

namespace {

class ClassFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    // One factory for the whole module; its references do not keep the
    // DLL loaded, LockServer does.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override
    {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        try {
            // The caller's reference, if it takes one, is all that is left.
            const ComPtr<ControlObject> control = adopt(new ControlObject);
            return control->QueryInterface(riid, object);
        } catch (...) {
            return hresult_from_exception(ErrorReport::StatusOnly);
        }
    }

    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        lock_module(lock != FALSE);
        return S_OK;
    }
};

ClassFactory g_factory;

}  // namespace

}  // namespace prestova::component

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (clsid != CLSID_Prestova) return CLASS_E_CLASSNOTAVAILABLE;
    prestova::component::thread_startup();
    return prestova::component::g_factory.QueryInterface(riid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return prestova::component::module_in_use() ? S_FALSE : S_OK; }
