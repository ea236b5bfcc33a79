#pragma once
// What a COM caller gets back when the core throws: no C++ exception leaves
// the component. Every entry point that runs code which may throw catches
// everything and hands the exception to hresult_from_exception, which says
// which status it means and, where the interface has a way to, describes it.
#include <windows.h>
#include <oleauto.h>

#include <cstdint>

namespace prestova::component {

// How an entry point reports a failure.
enum class ErrorReport {
    // A status code only (persistence, connection points, enumerators, the
    // class factory): E_OUTOFMEMORY for an allocation failure, else E_FAIL.
    StatusOnly,
    // _Prestova's vtable members: an error the control raises is the code a
    // script sees (Err.Number), a refused argument is DISP_E_TYPEMISMATCH or
    // DISP_E_OVERFLOW, and the description goes into the thread's error
    // object (ISupportErrorInfo says so).
    ErrorObject,
    // IDispatch::Invoke: an error the control raises is DISP_E_EXCEPTION with
    // its code and description in the EXCEPINFO; for a refused argument the
    // core's index of it is given back.
    Exception,
};

// The status for the exception being handled: call it only inside a catch
// block. exception (may be null) and refused_argument (-1 when no argument
// was refused) are used with ErrorReport::Exception only.
HRESULT hresult_from_exception(ErrorReport report, EXCEPINFO* exception = nullptr,
                               int* refused_argument = nullptr) noexcept;

// The status code a script sees for a core error number (Err.Number).
HRESULT script_error_code(std::int32_t number);

// A vtable member starts by dropping the thread's error object, so that a
// failure it reports without one never shows an earlier call's description.
void clear_error_info();

}  // namespace prestova::component
