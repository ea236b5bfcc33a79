#include "dual_interface_check.hpp"

#include "control/identifiers.hpp"
#include "control/member_table.hpp"

#include <string>

namespace {

constexpr long kDispatchMethods = 7;  // IUnknown's three and IDispatch's four come first in the vtable

INVOKEKIND invoke_kind(prestova::MemberKind kind)
{
    switch (kind) {
    case prestova::MemberKind::Method: return INVOKE_FUNC;
    case prestova::MemberKind::PropertyGet: return INVOKE_PROPERTYGET;
    case prestova::MemberKind::PropertyPut: return INVOKE_PROPERTYPUT;
    }
    return INVOKE_FUNC;
}

// The variant type a parameter of the table's type has in a type library.
VARTYPE variant_type(prestova::AutomationType type)
{
    switch (type) {
    case prestova::AutomationType::Byte: return VT_UI1;
    case prestova::AutomationType::Long: return VT_I4;
    case prestova::AutomationType::Single: return VT_R4;
    case prestova::AutomationType::String: return VT_BSTR;
    case prestova::AutomationType::Variant: return VT_VARIANT;
    case prestova::AutomationType::OSofPrestovaUser: return VT_USERDEFINED;  // the enumeration
    }
    return VT_EMPTY;
}

// The type a parameter points to when it is a pointer, else its own.
VARTYPE target_type(const TYPEDESC& type) { return type.vt == VT_PTR && type.lptdesc ? type.lptdesc->vt : type.vt; }

std::string flag_name(const std::string& type, const char* flag) { return type + " flag " + flag; }

void check_member(ITypeInfo* vtable, UINT index, const prestova::Member& member, Findings& findings)
{
    const std::string what = "member " + std::to_string(member.order) + " (" + std::string(member.name) + ")";
    FUNCDESC* f = nullptr;
    const HRESULT hr = vtable->GetFuncDesc(index, &f);
    if (FAILED(hr)) return findings.fail(what + " description", hr);
    BSTR names[8] = {};
    UINT count = 0;
    vtable->GetNames(f->memid, names, 8, &count);
    findings.expect(what + " name", std::string(member.name), count > 0 ? narrow(names[0]) : std::string());
    findings.expect(what + " dispatch identifier", static_cast<long>(member.dispid), static_cast<long>(f->memid));
    findings.expect(what + " invoke kind", static_cast<long>(invoke_kind(member.kind)), static_cast<long>(f->invkind));
    findings.expect(what + " vtable slot", static_cast<long>((kDispatchMethods + index) * sizeof(void*)),
                    static_cast<long>(f->oVft));
    // Every member answers with a status code; all but a property's writing
    // member hand their value back through a last [out, retval] parameter.
    const long arguments = static_cast<long>(member.parameters.size());
    findings.expect(what + " parameter count", arguments + (member.result ? 1 : 0), static_cast<long>(f->cParams));
    for (long i = 0; i < arguments && i < f->cParams; ++i) {
        const prestova::Parameter& expected = member.parameters[static_cast<std::size_t>(i)];
        const std::string argument = what + " argument " + std::to_string(i + 1);
        const ELEMDESC& p = f->lprgelemdescParam[i];
        // A put's new value has no name of its own in the library.
        if (member.kind != prestova::MemberKind::PropertyPut)
            findings.expect(argument + " name", std::string(expected.name),
                            static_cast<UINT>(i + 1) < count ? narrow(names[i + 1]) : std::string());
        findings.expect(argument + " by reference", expected.by_reference, p.tdesc.vt == VT_PTR);
        findings.expect(argument + " goes out", expected.by_reference, (p.paramdesc.wParamFlags & PARAMFLAG_FOUT) != 0);
        findings.expect(argument + " type", static_cast<long>(variant_type(expected.type)),
                        static_cast<long>(target_type(p.tdesc)));
    }
    for (UINT i = 0; i < count; ++i) SysFreeString(names[i]);
    if (member.result && f->cParams > arguments) {
        const ELEMDESC& r = f->lprgelemdescParam[f->cParams - 1];
        findings.expect(what + " result is [out, retval]", true,
                        (r.paramdesc.wParamFlags & (PARAMFLAG_FOUT | PARAMFLAG_FRETVAL)) ==
                            (PARAMFLAG_FOUT | PARAMFLAG_FRETVAL));
        findings.expect(what + " result type", static_cast<long>(variant_type(*member.result)),
                        static_cast<long>(target_type(r.tdesc)));
    }
    vtable->ReleaseFuncDesc(f);
}

// A script binds by name through the dispatch side: every name must give
// the table's identifier.
void check_names(ITypeInfo* dispatch, Findings& findings)
{
    for (const auto& member : prestova::member_table()) {
        if (member.kind == prestova::MemberKind::PropertyPut) continue;
        std::wstring name(member.name.begin(), member.name.end());
        LPOLESTR names[] = {name.data()};
        MEMBERID id = MEMBERID_NIL;
        const HRESULT hr = dispatch->GetIDsOfNames(names, 1, &id);
        if (FAILED(hr)) {
            findings.fail("name lookup of " + std::string(member.name), hr);
            continue;
        }
        findings.expect("name lookup of " + std::string(member.name), static_cast<long>(member.dispid),
                        static_cast<long>(id));
    }
}

}  // namespace

void check_dual_interface(ITypeLib* library, Findings& findings)
{
    IID iid;
    IIDFromString(std::wstring(prestova::kInterfaceId.begin(), prestova::kInterfaceId.end()).c_str(), &iid);
    ITypeInfo* dispatch = nullptr;
    HRESULT hr = library->GetTypeInfoOfGuid(iid, &dispatch);
    if (FAILED(hr)) return findings.fail("_Prestova by its identifier", hr);
    findings.expect("_Prestova name", std::string("_Prestova"), name_of(dispatch, MEMBERID_NIL));
    TYPEATTR* attr = nullptr;
    if (SUCCEEDED(dispatch->GetTypeAttr(&attr))) {
        findings.expect(flag_name("_Prestova", "dual"), true, (attr->wTypeFlags & TYPEFLAG_FDUAL) != 0);
        findings.expect(flag_name("_Prestova", "hidden"), true, (attr->wTypeFlags & TYPEFLAG_FHIDDEN) != 0);
        findings.expect(flag_name("_Prestova", "nonextensible"), true,
                        (attr->wTypeFlags & TYPEFLAG_FNONEXTENSIBLE) != 0);
        findings.expect(flag_name("_Prestova", "dispatchable"), true, (attr->wTypeFlags & TYPEFLAG_FDISPATCHABLE) != 0);
        dispatch->ReleaseTypeAttr(attr);
    }
    check_names(dispatch, findings);

    // The vtable side: what a dual caller calls, member by member.
    HREFTYPE reference = 0;
    ITypeInfo* vtable = nullptr;
    hr = dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference);
    if (SUCCEEDED(hr)) hr = dispatch->GetRefTypeInfo(reference, &vtable);
    dispatch->Release();
    if (FAILED(hr)) return findings.fail("_Prestova's interface side", hr);
    if (SUCCEEDED(vtable->GetTypeAttr(&attr))) {
        findings.expect("_Prestova interface kind", static_cast<long>(TKIND_INTERFACE),
                        static_cast<long>(attr->typekind));
        findings.expect("_Prestova member count", static_cast<long>(prestova::kMemberCount),
                        static_cast<long>(attr->cFuncs));
        findings.expect("_Prestova vtable size",
                        static_cast<long>((kDispatchMethods + prestova::kMemberCount) * sizeof(void*)),
                        static_cast<long>(attr->cbSizeVft));
        findings.expect("_Prestova base interfaces", 1L, static_cast<long>(attr->cImplTypes));
        // Callers marshal it with the automation marshaller.
        findings.expect(flag_name("_Prestova's interface side", "oleautomation"), true,
                        (attr->wTypeFlags & TYPEFLAG_FOLEAUTOMATION) != 0);
        vtable->ReleaseTypeAttr(attr);
    }
    ITypeInfo* base = nullptr;
    if (SUCCEEDED(vtable->GetRefTypeOfImplType(0, &reference)) && SUCCEEDED(vtable->GetRefTypeInfo(reference, &base))) {
        if (SUCCEEDED(base->GetTypeAttr(&attr))) {
            findings.expect("_Prestova's base", guid_text(IID_IDispatch), guid_text(attr->guid));
            base->ReleaseTypeAttr(attr);
        }
        base->Release();
    } else {
        findings.fail("_Prestova's base", E_FAIL);
    }
    const auto& members = prestova::member_table();
    for (UINT i = 0; i < members.size(); ++i) check_member(vtable, i, members[i], findings);
    vtable->Release();
}
