// ISupportErrorInfo: a caller of the dual interface's vtable members finds
// a failure's description in the thread's error object (dispatch_call.cpp
// sets it). IDispatch callers get theirs in EXCEPINFO; the other interfaces
// report status codes only.
#include "control_object.hpp"

namespace prestova::component {

HRESULT STDMETHODCALLTYPE ControlObject::InterfaceSupportsErrorInfo(REFIID riid)
{
    return riid == IID__Prestova ? S_OK : S_FALSE;
}

}  // namespace prestova::component
