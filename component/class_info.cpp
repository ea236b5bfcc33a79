// IProvideClassInfo2: how a container finds the class's description and its
// default source interface, to decide which events it may connect to.
#include "control_object.hpp"

namespace prestova::component {

HRESULT STDMETHODCALLTYPE ControlObject::GetClassInfo(ITypeInfo** info)
{
    return embedded_type_info(CLSID_Prestova, info);
}

HRESULT STDMETHODCALLTYPE ControlObject::GetGUID(DWORD kind, GUID* guid)
{
    if (!guid) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *guid = DIID___Prestova;
    return S_OK;
}

}  // namespace prestova::component
