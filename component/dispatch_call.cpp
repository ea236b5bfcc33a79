#include "dispatch_call.hpp"

#include "variant_bridge.hpp"

namespace prestova::component {

namespace {

// Which member a call means: a put names the writing member, anything else
// the method or the property's reading member (scripts mix the flags).
const Member* member_for(DISPID dispid, WORD flags)
{
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return find_member(dispid, MemberKind::PropertyPut);
    if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return nullptr;
    if (const Member* m = find_member(dispid, MemberKind::Method)) return m;
    return find_member(dispid, MemberKind::PropertyGet);
}

HRESULT invoke_member(Prestova& control, const Member& member, DISPPARAMS& params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argument_error)
{
    const bool put = member.kind == MemberKind::PropertyPut;
    if (params.cNamedArgs > 0) {
        // Only a property's new value may come named, as DISPID_PROPERTYPUT.
        if (!put || params.cNamedArgs != 1 || !params.rgdispidNamedArgs ||
            params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return DISP_E_NONAMEDARGS;
    }
    const UINT count = params.cArgs;
    if (count > 0 && !params.rgvarg) return E_INVALIDARG;
    if (count != argument_count(member)) return DISP_E_BADPARAMCOUNT;

    // Automation hands the arguments over last first. A value the core has
    // no type for is refused before the member runs, so a property keeps
    // its value.
    std::vector<Variant> args;
    args.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        VARIANT& arg = params.rgvarg[count - 1 - i];
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
    HRESULT status = S_OK;
    int refused = -1;
    try {
        value = invoke(control, member, args);
    } catch (...) {
        status = hresult_from_exception(ErrorReport::Exception, exception, &refused);
    }
    // By-reference arguments change even when the member raised an error
    // after changing them, as they would in the control's own language.
    if (!put && (status == S_OK || status == DISP_E_EXCEPTION)) {
        for (UINT i = 0; i < count; ++i) {
            VARIANT& arg = params.rgvarg[count - 1 - i];
            if (!(arg.vt & VT_BYREF)) continue;
            const HRESULT hr = write_back(args[i], arg);
            if (FAILED(hr) && status == S_OK) {
                if (argument_error) *argument_error = count - 1 - i;
                return hr;
            }
        }
    }
    if (FAILED(status)) {
        if (refused >= 0 && argument_error) *argument_error = count - 1 - static_cast<UINT>(refused);
        return status;
    }
    if (result && !put) return to_variant(value, result);
    return S_OK;
}

}  // namespace

HRESULT invoke_by_dispid(Prestova& control, DISPID dispid, WORD flags, DISPPARAMS* params, VARIANT* result,
                         EXCEPINFO* exception, UINT* argument_error)
{
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    const Member* member = member_for(dispid, flags);
    if (!member) return DISP_E_MEMBERNOTFOUND;
    // Taking the arguments over allocates too.
    try {
        return invoke_member(control, *member, params ? *params : none, result, exception, argument_error);
    } catch (...) {
        return hresult_from_exception(ErrorReport::Exception, exception);
    }
}

HRESULT call_member(Prestova& control, const Member& member, std::vector<Variant>& args, Variant* result)
{
    try {
        Variant value = invoke(control, member, args);
        if (result) *result = std::move(value);
        return S_OK;
    } catch (...) {
        return hresult_from_exception(ErrorReport::ErrorObject);
    }
}

}  // namespace prestova::component
