#include "dispatch_call.hpp"

#include "control/identifiers.hpp"
#include "core/script_error.hpp"
#include "variant_bridge.hpp"

#include <new>

namespace prestova::component {

namespace {

constexpr const char* kErrorSource = "Tallymere.Prestova";

// What went wrong in a call, independent of how it is reported.
struct Failure {
    HRESULT status = S_OK;
    int argument = -1;        // core argument index (0-based), -1 when none
    HRESULT error_code = 0;   // for DISP_E_EXCEPTION
    std::string description;
};

Failure run(Prestova& control, const Member& member, std::vector<Variant>& args, Variant& result)
{
    try {
        result = invoke(control, member, args);
        return {};
    } catch (const ScriptError& e) {
        return {DISP_E_EXCEPTION, -1, script_error_code(e.number()), e.what()};
    } catch (const DispatchError& e) {
        switch (e.kind()) {
        case DispatchError::Kind::BadParamCount: return {DISP_E_BADPARAMCOUNT, -1, 0, e.what()};
        case DispatchError::Kind::TypeMismatch: return {DISP_E_TYPEMISMATCH, e.argument(), 0, e.what()};
        case DispatchError::Kind::Overflow: return {DISP_E_OVERFLOW, e.argument(), 0, e.what()};
        }
        return {DISP_E_EXCEPTION, -1, E_FAIL, e.what()};
    } catch (const std::bad_alloc&) {
        return {E_OUTOFMEMORY, -1, 0, {}};
    } catch (const std::exception& e) {
        return {DISP_E_EXCEPTION, -1, E_FAIL, e.what()};
    } catch (...) {
        return {E_UNEXPECTED, -1, 0, {}};
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
    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create)) || !create) return;
    BSTR source = to_bstr(kErrorSource);
    BSTR description = to_bstr(failure.description);
    create->SetSource(source);
    create->SetDescription(description);
    create->SetGUID(IID_NULL);
    SysFreeString(source);
    SysFreeString(description);
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info))) && info) {
        SetErrorInfo(0, info);
        info->Release();
    }
    create->Release();
}

// Which member a call means: a put names the writing member, anything else
// the method or the property's reading member (scripts mix the flags).
const Member* member_for(DISPID dispid, WORD flags)
{
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return find_member(dispid, MemberKind::PropertyPut);
    if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return nullptr;
    if (const Member* m = find_member(dispid, MemberKind::Method)) return m;
    return find_member(dispid, MemberKind::PropertyGet);
}

} // namespace

HRESULT script_error_code(std::int32_t number)
{
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, static_cast<unsigned>(number) & 0xFFFF);
}

HRESULT invoke_by_dispid(Prestova& control, DISPID dispid, WORD flags, DISPPARAMS* params, VARIANT* result,
                         EXCEPINFO* exception, UINT* argument_error)
{
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    if (!params) params = &none;
    const Member* member = member_for(dispid, flags);
    if (!member) return DISP_E_MEMBERNOTFOUND;

    const bool put = member->kind == MemberKind::PropertyPut;
    if (params->cNamedArgs > 0) {
        // Only a property's new value may come named, as DISPID_PROPERTYPUT.
        if (!put || params->cNamedArgs != 1 || !params->rgdispidNamedArgs ||
            params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return DISP_E_NONAMEDARGS;
    }
    const UINT count = params->cArgs;
    if (count > 0 && !params->rgvarg) return E_INVALIDARG;
    if (count != argument_count(*member)) return DISP_E_BADPARAMCOUNT;

    // Automation hands the arguments over last first.
    std::vector<Variant> args;
    args.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        VARIANT& arg = params->rgvarg[count - 1 - i];
        if (arg.vt == VT_ERROR && arg.scode == DISP_E_PARAMNOTFOUND) {
            if (argument_error) *argument_error = count - 1 - i;
            return DISP_E_PARAMNOTOPTIONAL;
        }
        auto value = from_variant(arg);
        if (!value) {
            if (argument_error) *argument_error = count - 1 - i;
            return DISP_E_TYPEMISMATCH;
        }
        args.push_back(std::move(*value));
    }

    Variant value;
    const Failure failure = run(control, *member, args, value);
    // By-reference arguments change even when the member raised an error
    // after changing them, as they would in the control's own language.
    if (!put && (failure.status == S_OK || failure.status == DISP_E_EXCEPTION)) {
        for (UINT i = 0; i < count; ++i) {
            VARIANT& arg = params->rgvarg[count - 1 - i];
            if (!(arg.vt & VT_BYREF)) continue;
            const HRESULT hr = write_back(args[i], arg);
            if (FAILED(hr) && failure.status == S_OK) {
                if (argument_error) *argument_error = count - 1 - i;
                return hr;
            }
        }
    }
    if (failure.status == DISP_E_EXCEPTION) {
        fill_exception(exception, failure);
        return DISP_E_EXCEPTION;
    }
    if (failure.status != S_OK) {
        if (failure.argument >= 0 && argument_error) *argument_error = count - 1 - static_cast<UINT>(failure.argument);
        return failure.status;
    }
    if (result && !put) return to_variant(value, result);
    return S_OK;
}

void clear_error_info() { SetErrorInfo(0, nullptr); }

HRESULT call_member(Prestova& control, const Member& member, std::vector<Variant>& args, Variant* result)
{
    Variant value;
    const Failure failure = run(control, member, args, value);
    if (failure.status == S_OK) {
        if (result) *result = std::move(value);
        return S_OK;
    }
    set_error_object(failure);
    return failure.status == DISP_E_EXCEPTION ? failure.error_code : failure.status;
}

} // namespace prestova::component
