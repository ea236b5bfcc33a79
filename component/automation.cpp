// IDispatch: names and calls go to the core's member table.
#include "control_object.hpp"

#include "dispatch_call.hpp"
#include "module.hpp"
#include "variant_bridge.hpp"

namespace prestova::component {

HRESULT STDMETHODCALLTYPE ControlObject::GetTypeInfoCount(UINT* count)
{
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT embedded_type_info(REFGUID guid, ITypeInfo** info)
{
    if (!info) return E_POINTER;
    *info = nullptr;
    wchar_t path[MAX_PATH];
    if (!GetModuleFileNameW(module_handle(), path, MAX_PATH)) return HRESULT_FROM_WIN32(GetLastError());
    ComPtr<ITypeLib> library;
    const HRESULT hr = LoadTypeLibEx(path, REGKIND_NONE, &library);
    if (FAILED(hr)) return hr;
    return library->GetTypeInfoOfGuid(guid, info);
}

HRESULT STDMETHODCALLTYPE ControlObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info)
{
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return embedded_type_info(IID__Prestova, info);
}

HRESULT STDMETHODCALLTYPE ControlObject::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids) return E_POINTER;
    if (count == 0) return S_OK;
    HRESULT hr = S_OK;
    const auto dispid = names[0] ? find_dispid(to_ansi(names[0], static_cast<UINT>(lstrlenW(names[0])))) : std::nullopt;
    ids[0] = dispid ? *dispid : DISPID_UNKNOWN;
    if (!dispid) hr = DISP_E_UNKNOWNNAME;
    // No member takes named arguments.
    for (UINT i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT STDMETHODCALLTYPE ControlObject::Invoke(DISPID dispid, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                                VARIANT* result, EXCEPINFO* exception, UINT* argument_error)
{
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (page_refused_) return E_ACCESSDENIED;
    return invoke_by_dispid(control_, dispid, flags, params, result, exception, argument_error);
}

}  // namespace prestova::component
