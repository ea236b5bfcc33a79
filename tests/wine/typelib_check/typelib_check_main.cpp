// Loads the type library embedded in prestova.dll, without registering it,
// and compares it with what the core publishes: the library and its
// identifiers, _Prestova against the member table, the empty event
// interface, the enumeration of getVersion and the class. Every mismatch is
// printed; the exit code is 1 when there was any.
//   prestova_typelib_check PRESTOVA.DLL
#include "dual_interface_check.hpp"
#include "findings.hpp"

#include "control/identifiers.hpp"
#include "probes/os_identification.hpp"

#include <cstdio>
#include <string>
#include <vector>

namespace {

GUID guid_of(std::string_view text)
{
    GUID guid{};
    CLSIDFromString(std::wstring(text.begin(), text.end()).c_str(), &guid);
    return guid;
}

void check_library(ITypeLib* library, Findings& findings)
{
    BSTR name = nullptr;
    library->GetDocumentation(-1, &name, nullptr, nullptr, nullptr);
    findings.expect("library name", std::string(prestova::kLibraryName), narrow(name));
    SysFreeString(name);
    TLIBATTR* attr = nullptr;
    const HRESULT hr = library->GetLibAttr(&attr);
    if (FAILED(hr)) return findings.fail("library attributes", hr);
    findings.expect("library identifier", std::string(prestova::kLibraryId), guid_text(attr->guid));
    const std::string version(prestova::kTypeLibraryVersion);
    const std::size_t dot = version.find('.');
    const long expected = std::stol(version.substr(0, dot)) << 16 | std::stol(version.substr(dot + 1));
    findings.expect("library version", expected, static_cast<long>(attr->wMajorVerNum) << 16 | attr->wMinorVerNum);
    findings.expect("library flag control", true, (attr->wLibFlags & LIBFLAG_FCONTROL) != 0);
    library->ReleaseTLibAttr(attr);
}

// The library declares these types and no others.
void check_type_list(ITypeLib* library, Findings& findings)
{
    std::string found;
    for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
        BSTR name = nullptr;
        library->GetDocumentation(static_cast<INT>(i), &name, nullptr, nullptr, nullptr);
        if (!found.empty()) found += ' ';
        found += narrow(name);
        SysFreeString(name);
    }
    findings.expect("declared types", std::string("OSofPrestovaUser _Prestova __Prestova Prestova IObjectSafety"),
                    found);
}

ITypeInfo* type_named(ITypeLib* library, const wchar_t* name)
{
    for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
        BSTR text = nullptr;
        library->GetDocumentation(static_cast<INT>(i), &text, nullptr, nullptr, nullptr);
        const bool match = text && lstrcmpW(text, name) == 0;
        SysFreeString(text);
        ITypeInfo* info = nullptr;
        if (match && SUCCEEDED(library->GetTypeInfo(i, &info))) return info;
    }
    return nullptr;
}

void check_enumeration(ITypeLib* library, Findings& findings)
{
    ITypeInfo* info = type_named(library, L"OSofPrestovaUser");
    if (!info) return findings.fail("enumeration OSofPrestovaUser", TYPE_E_ELEMENTNOTFOUND);
    TYPEATTR* attr = nullptr;
    if (SUCCEEDED(info->GetTypeAttr(&attr))) {
        findings.expect("OSofPrestovaUser kind", static_cast<long>(TKIND_ENUM), static_cast<long>(attr->typekind));
        findings.expect("OSofPrestovaUser value count", static_cast<long>(prestova::kLastOrdinal + 1),
                        static_cast<long>(attr->cVars));
        info->ReleaseTypeAttr(attr);
    }
    for (std::int32_t ordinal = 0; ordinal <= prestova::kLastOrdinal; ++ordinal) {
        const std::string what = "OSofPrestovaUser value " + std::to_string(ordinal);
        VARDESC* v = nullptr;
        const HRESULT hr = info->GetVarDesc(static_cast<UINT>(ordinal), &v);
        if (FAILED(hr)) {
            findings.fail(what, hr);
            continue;
        }
        findings.expect(what + " name", std::string(prestova::os_member_name(ordinal)), name_of(info, v->memid));
        VARIANT value;
        VariantInit(&value);
        const bool number =
            v->varkind == VAR_CONST && v->lpvarValue && SUCCEEDED(VariantChangeType(&value, v->lpvarValue, 0, VT_I4));
        findings.expect(what + " number", static_cast<long>(ordinal), number ? static_cast<long>(value.lVal) : -1L);
        info->ReleaseVarDesc(v);
    }
    info->Release();
}

void check_event_interface(ITypeLib* library, Findings& findings)
{
    ITypeInfo* info = nullptr;
    const HRESULT hr = library->GetTypeInfoOfGuid(guid_of(prestova::kEventInterfaceId), &info);
    if (FAILED(hr)) return findings.fail("__Prestova by its identifier", hr);
    findings.expect("__Prestova name", std::string("__Prestova"), name_of(info, MEMBERID_NIL));
    TYPEATTR* attr = nullptr;
    if (SUCCEEDED(info->GetTypeAttr(&attr))) {
        findings.expect("__Prestova kind", static_cast<long>(TKIND_DISPATCH), static_cast<long>(attr->typekind));
        findings.expect("__Prestova flag hidden", true, (attr->wTypeFlags & TYPEFLAG_FHIDDEN) != 0);
        findings.expect("__Prestova events", 0L, static_cast<long>(attr->cFuncs));
        findings.expect("__Prestova properties", 0L, static_cast<long>(attr->cVars));
        info->ReleaseTypeAttr(attr);
    }
    info->Release();
}

void check_class(ITypeLib* library, Findings& findings)
{
    ITypeInfo* info = nullptr;
    HRESULT hr = library->GetTypeInfoOfGuid(guid_of(prestova::kClassId), &info);
    if (FAILED(hr)) return findings.fail("Prestova by its identifier", hr);
    findings.expect("class name", std::string(prestova::kClassName), name_of(info, MEMBERID_NIL));
    TYPEATTR* attr = nullptr;
    UINT implemented = 0;
    if (SUCCEEDED(info->GetTypeAttr(&attr))) {
        findings.expect("class kind", static_cast<long>(TKIND_COCLASS), static_cast<long>(attr->typekind));
        findings.expect("class flag creatable", true, (attr->wTypeFlags & TYPEFLAG_FCANCREATE) != 0);
        findings.expect("class flag control", true, (attr->wTypeFlags & TYPEFLAG_FCONTROL) != 0);
        implemented = attr->cImplTypes;
        info->ReleaseTypeAttr(attr);
    }
    const struct {
        std::string iid;
        int flags;
    } expected[] = {
        {std::string(prestova::kInterfaceId), IMPLTYPEFLAG_FDEFAULT},
        {"{CB5BDC81-93C1-11CF-8F20-00805F2CD064}", 0},  // IObjectSafety
        {std::string(prestova::kEventInterfaceId), IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE},
    };
    findings.expect("class interfaces", static_cast<long>(std::size(expected)), static_cast<long>(implemented));
    for (UINT i = 0; i < implemented && i < std::size(expected); ++i) {
        const std::string what = "class interface " + std::to_string(i + 1);
        HREFTYPE reference = 0;
        ITypeInfo* implemented_info = nullptr;
        hr = info->GetRefTypeOfImplType(i, &reference);
        if (SUCCEEDED(hr)) hr = info->GetRefTypeInfo(reference, &implemented_info);
        if (FAILED(hr)) {
            findings.fail(what, hr);
            continue;
        }
        if (SUCCEEDED(implemented_info->GetTypeAttr(&attr))) {
            findings.expect(what, expected[i].iid, guid_text(attr->guid));
            implemented_info->ReleaseTypeAttr(attr);
        }
        implemented_info->Release();
        INT flags = 0;
        info->GetImplTypeFlags(i, &flags);
        findings.expect(what + " flags", static_cast<long>(expected[i].flags), static_cast<long>(flags));
    }
    info->Release();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: prestova_typelib_check PRESTOVA.DLL\n");
        return 2;
    }
    std::vector<wchar_t> path(MAX_PATH * 4);
    if (!MultiByteToWideChar(CP_ACP, 0, argv[1], -1, path.data(), static_cast<int>(path.size()))) return 2;
    ITypeLib* library = nullptr;
    const HRESULT hr = LoadTypeLibEx(path.data(), REGKIND_NONE, &library);
    if (FAILED(hr)) {
        std::printf("MISMATCH loading the type library: failed with 0x%08lX\n", static_cast<unsigned long>(hr));
        return 1;
    }
    Findings findings;
    check_library(library, findings);
    check_type_list(library, findings);
    check_dual_interface(library, findings);
    check_event_interface(library, findings);
    check_enumeration(library, findings);
    check_class(library, findings);
    library->Release();
    std::printf("type library: %d checks, %d mismatches\n", findings.checks(), findings.mismatches());
    return findings.mismatches() == 0 ? 0 : 1;
}
