#include "com_error.hpp"

#include "com_ptr.hpp"
#include "control/dispatch.hpp"
#include "core/script_error.hpp"
#include "variant_bridge.hpp"

#include <exception>
#include <new>

namespace prestova::component {

namespace {

constexpr const char* kErrorSource = "Tallymere.Prestova";

// What went wrong, independent of how it is reported.
struct Failure {
    HRESULT status;
    HRESULT error_code;       // with DISP_E_EXCEPTION: the code a script sees
    int argument;             // the refused argument (core index), -1 when none
    const char* description;  // lives as long as the exception being handled
};

Failure current_failure() noexcept
{
    try {
        throw;
    } catch (const ScriptError& e) {
        return {.status = DISP_E_EXCEPTION,
                .error_code = script_error_code(e.number()),
                .argument = -1,
                .description = e.what()};
    } catch (const DispatchError& e) {
        switch (e.kind()) {
        case DispatchError::Kind::BadParamCount:
            return {.status = DISP_E_BADPARAMCOUNT, .error_code = 0, .argument = -1, .description = e.what()};
        case DispatchError::Kind::TypeMismatch:
            return {.status = DISP_E_TYPEMISMATCH, .error_code = 0, .argument = e.argument(), .description = e.what()};
        case DispatchError::Kind::Overflow:
            return {.status = DISP_E_OVERFLOW, .error_code = 0, .argument = e.argument(), .description = e.what()};
        }
        return {.status = DISP_E_EXCEPTION, .error_code = E_FAIL, .argument = -1, .description = e.what()};
    } catch (const std::bad_alloc&) {
        return {.status = E_OUTOFMEMORY, .error_code = 0, .argument = -1, .description = ""};
    } catch (const std::exception& e) {
        return {.status = DISP_E_EXCEPTION, .error_code = E_FAIL, .argument = -1, .description = e.what()};
    } catch (...) {
        return {.status = E_UNEXPECTED, .error_code = 0, .argument = -1, .description = ""};
    }
}

void fill_exception(EXCEPINFO* info, const Failure& failure)
{
    if (!info) return;
    *info = EXCEPINFO{};
    info->scode = failure.error_code;
    info->bstrSource = to_bstr(kErrorSource);
    info->bstrDescription = to_bstr(failure.description);
}

void set_error_object(const Failure& failure)
{
    ComPtr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(&create)) || !create) return;
    BSTR source = to_bstr(kErrorSource);
    BSTR description = to_bstr(failure.description);
    create->SetSource(source);
    create->SetDescription(description);
    create->SetGUID(IID_NULL);
    SysFreeString(source);
    SysFreeString(description);
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, &info)) && info) SetErrorInfo(0, info.Get());
}

}  // namespace

HRESULT hresult_from_exception(ErrorReport report, EXCEPINFO* exception, int* refused_argument) noexcept
{
    const Failure failure = current_failure();
    switch (report) {
    case ErrorReport::StatusOnly: return failure.status == E_OUTOFMEMORY ? E_OUTOFMEMORY : E_FAIL;
    case ErrorReport::ErrorObject:
        set_error_object(failure);
        return failure.status == DISP_E_EXCEPTION ? failure.error_code : failure.status;
    case ErrorReport::Exception:
        if (failure.status == DISP_E_EXCEPTION) fill_exception(exception, failure);
        if (refused_argument) *refused_argument = failure.argument;
        return failure.status;
    }
    return E_UNEXPECTED;
}

HRESULT script_error_code(std::int32_t number)
{
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, static_cast<unsigned>(number) & 0xFFFF);
}

void clear_error_info() { SetErrorInfo(0, nullptr); }

}  // namespace prestova::component
