#pragma once
// IDispatch::Invoke and the dual interface's vtable members, both carried out
// by the core's dispatch over its member table. Errors become automation
// status codes here; nothing escapes as a C++ exception.
#include "com_error.hpp"
#include "control/dispatch.hpp"

#include <windows.h>
#include <oleauto.h>

#include <vector>

namespace prestova::component {

HRESULT invoke_by_dispid(Prestova& control, DISPID dispid, WORD flags, DISPPARAMS* params, VARIANT* result,
                         EXCEPINFO* exception, UINT* argument_error);

// A vtable call with core arguments: by-reference arguments come back in
// args; a failure is also described through the thread's error object.
HRESULT call_member(Prestova& control, const Member& member, std::vector<Variant>& args, Variant* result);

}  // namespace prestova::component
