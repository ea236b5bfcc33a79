// The typelib mode: the type library embedded in a DLL, loaded as Windows
// loads it for a container (without registering it), printed whole: the
// library, then every type with its flags, the types it implements, every
// function with its parameters and every constant with its value. The test
// compares the text with its expected transcript, so a name, dispatch
// identifier, kind, flag, parameter or value that changes, or a type or
// member that comes or goes, shows. Vtable offsets are printed as slots, so
// that x86 and x64 print the same.
#include "com_helpers.hpp"
#include "container_modes.hpp"

#include <oleauto.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string>

namespace {

// The names of a flag word's bits, lowest bit first; a bit without a name
// shows as a number.
std::string flag_names(unsigned value, std::initializer_list<const char*> names)
{
    std::string out;
    unsigned bit = 1;
    for (const char* name : names) {
        if (value & bit) out.append(" ").append(name);
        value &= ~bit;
        bit <<= 1;
    }
    char rest[16];
    std::snprintf(rest, sizeof rest, " 0x%X", value);
    if (value) out += rest;
    return out.empty() ? " none" : out;
}

std::string name_of(ITypeInfo* info, MEMBERID id)
{
    BSTR name = nullptr;
    info->GetDocumentation(id, &name, nullptr, nullptr, nullptr);
    const std::string out = narrow(name);
    SysFreeString(name);
    return out;
}

std::string type_text(ITypeInfo* info, const TYPEDESC& type)
{
    static const char* const kNames[] = {
        "EMPTY",          "NULL", "short",        "long",          "float",          "double",        "CURRENCY",
        "DATE",           "BSTR", "IDispatch*",   "SCODE",         "VARIANT_BOOL",   "VARIANT",       "IUnknown*",
        "DECIMAL",        "vt15", "char",         "unsigned char", "unsigned short", "unsigned long", "hyper",
        "unsigned hyper", "int",  "unsigned int", "void",          "HRESULT"};
    ComPtr<ITypeInfo> referred;
    switch (type.vt) {
    case VT_PTR: return type_text(info, *type.lptdesc) + "*";
    case VT_SAFEARRAY: return std::string("SAFEARRAY(").append(type_text(info, *type.lptdesc)).append(")");
    case VT_USERDEFINED:
        if (FAILED(info->GetRefTypeInfo(type.hreftype, &referred))) return "(unknown type)";
        return name_of(referred.Get(), MEMBERID_NIL);
    default: return type.vt < std::size(kNames) ? kNames[type.vt] : std::string("vt").append(std::to_string(type.vt));
    }
}

std::string value_text(VARIANT* value)
{
    VARIANT text;
    VariantInit(&text);
    if (!value || FAILED(VariantChangeType(&text, value, 0, VT_BSTR))) return "(no value)";
    const std::string out = narrow(text.bstrVal).append(" (vt ").append(std::to_string(value->vt)).append(")");
    VariantClear(&text);
    return out;
}

void dump_function(ITypeInfo* info, UINT index, bool dispatch)
{
    FUNCDESC* f = nullptr;
    if (FAILED(info->GetFuncDesc(index, &f))) return void(std::printf("  function %u: no description\n", index));
    BSTR names[32] = {};
    UINT count = 0;
    info->GetNames(f->memid, names, 32, &count);
    static const char* const kKinds[] = {"virtual", "purevirtual", "nonvirtual", "static", "dispatch"};
    const char* invoke = f->invkind == INVOKE_FUNC          ? "method"
                         : f->invkind == INVOKE_PROPERTYGET ? "propget"
                         : f->invkind == INVOKE_PROPERTYPUT ? "propput"
                                                            : "propputref";
    std::printf("  %s 0x%08lX %s, %s, slot %d, flags 0x%X, returns %s\n", invoke, static_cast<unsigned long>(f->memid),
                narrow(names[0]).c_str(), kKinds[f->funckind], f->oVft / static_cast<int>(sizeof(void*)), f->wFuncFlags,
                type_text(info, f->elemdescFunc.tdesc).c_str());
    // A put's new value has no name of its own: the names are its get's.
    const UINT named = f->invkind & (INVOKE_PROPERTYPUT | INVOKE_PROPERTYPUTREF) ? std::min(count, 1u) : count;
    for (SHORT i = 0; i < f->cParams; ++i) {
        const ELEMDESC& p = f->lprgelemdescParam[i];
        const std::string flags = flag_names(p.paramdesc.wParamFlags,
                                             {"in", "out", "lcid", "retval", "optional", "hasdefault", "hascustdata"});
        std::printf("    [%s] %s %s\n", flags.c_str() + 1, type_text(info, p.tdesc).c_str(),
                    static_cast<UINT>(i) + 1 < named ? narrow(names[i + 1]).c_str() : "(unnamed)");
    }
    if (f->cParamsOpt) std::printf("    optional parameters: %d\n", f->cParamsOpt);
    // A script binds by name through the dispatch side.
    MEMBERID found = MEMBERID_NIL;
    if (dispatch && (FAILED(info->GetIDsOfNames(names, 1, &found)) || found != f->memid))
        std::printf("    the name looks up 0x%08lX\n", static_cast<unsigned long>(found));
    for (UINT i = 0; i < count; ++i) SysFreeString(names[i]);
    info->ReleaseFuncDesc(f);
}

void dump_variable(ITypeInfo* info, UINT index)
{
    VARDESC* v = nullptr;
    if (FAILED(info->GetVarDesc(index, &v))) return void(std::printf("  variable %u: no description\n", index));
    static const char* const kKinds[] = {"perinstance", "static", "const", "dispatch"};
    std::printf("  %s 0x%08lX %s %s%s, flags 0x%X\n", kKinds[v->varkind], static_cast<unsigned long>(v->memid),
                type_text(info, v->elemdescVar.tdesc).c_str(), name_of(info, v->memid).c_str(),
                v->varkind == VAR_CONST ? std::string(" = ").append(value_text(v->lpvarValue)).c_str() : "",
                v->wVarFlags);
    info->ReleaseVarDesc(v);
}

// INDEX is the type's place in the library, or -1 for a dual interface's
// vtable side, which shares its identifier with the dispatch side.
void dump_type(ITypeLib* library, ITypeInfo* info, const char* heading, int index)
{
    TYPEATTR* a = nullptr;
    if (FAILED(info->GetTypeAttr(&a))) return void(std::printf("%s: no attributes\n", heading));
    static const char* const kKinds[] = {"enum",     "record",  "module", "interface",
                                         "dispatch", "coclass", "alias",  "union"};
    std::printf("%s: %s %s %s version %u.%u, %u vtable slots, flags%s\n", heading, kKinds[a->typekind],
                name_of(info, MEMBERID_NIL).c_str(), guid_text(a->guid).c_str(), a->wMajorVerNum, a->wMinorVerNum,
                a->cbSizeVft / static_cast<unsigned>(sizeof(void*)),
                flag_names(a->wTypeFlags, {"appobject", "cancreate", "licensed", "predeclid", "hidden", "control",
                                           "dual", "nonextensible", "oleautomation", "restricted", "aggregatable",
                                           "replaceable", "dispatchable", "reversebind", "proxy"})
                    .c_str());
    // Found by its identifier too, as a container finds it.
    ComPtr<ITypeInfo> found, other;
    ComPtr<ITypeLib> owner;
    UINT found_index = 0;
    if (index >= 0 && a->guid != GUID_NULL &&
        (FAILED(library->GetTypeInfoOfGuid(a->guid, &found)) ||
         FAILED(found->GetContainingTypeLib(&owner, &found_index)) || found_index != static_cast<UINT>(index)))
        std::printf("  not found by its identifier\n");
    for (UINT i = 0; i < a->cImplTypes; ++i) {
        HREFTYPE reference = 0;
        INT flags = 0;
        TYPEATTR* b = nullptr;
        info->GetImplTypeFlags(i, &flags);
        if (FAILED(info->GetRefTypeOfImplType(i, &reference)) ||
            FAILED(info->GetRefTypeInfo(reference, other.ReleaseAndGetAddressOf())) || FAILED(other->GetTypeAttr(&b))) {
            std::printf("  implements %u: not found\n", i);
            continue;
        }
        std::printf("  implements %s %s, flags%s\n", name_of(other.Get(), MEMBERID_NIL).c_str(),
                    guid_text(b->guid).c_str(),
                    flag_names(flags, {"default", "source", "restricted", "defaultvtable"}).c_str());
        other->ReleaseTypeAttr(b);
    }
    for (UINT i = 0; i < a->cFuncs; ++i) dump_function(info, i, a->typekind == TKIND_DISPATCH);
    for (UINT i = 0; i < a->cVars; ++i) dump_variable(info, i);
    // A dual interface's vtable side is what a dual caller calls.
    HREFTYPE reference = 0;
    if ((a->wTypeFlags & TYPEFLAG_FDUAL) && a->typekind == TKIND_DISPATCH &&
        SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference)) &&
        SUCCEEDED(info->GetRefTypeInfo(reference, other.ReleaseAndGetAddressOf())))
        dump_type(library, other.Get(), "  its vtable side", -1);
    info->ReleaseTypeAttr(a);
}

}  // namespace

int dump_type_library(const char* path)
{
    ComPtr<ITypeLib> library;
    const HRESULT hr = LoadTypeLibEx(wide(path).c_str(), REGKIND_NONE, &library);
    say("load", hr);
    if (FAILED(hr)) return 1;
    BSTR name = nullptr, doc = nullptr;
    library->GetDocumentation(-1, &name, &doc, nullptr, nullptr);
    TLIBATTR* a = nullptr;
    library->GetLibAttr(&a);
    std::printf("library %s \"%s\" %s version %u.%u, locale %lu, flags%s\n", narrow(name).c_str(), narrow(doc).c_str(),
                guid_text(a->guid).c_str(), a->wMajorVerNum, a->wMinorVerNum, static_cast<unsigned long>(a->lcid),
                flag_names(a->wLibFlags, {"restricted", "control", "hidden", "hasdiskimage"}).c_str());
    library->ReleaseTLibAttr(a);
    SysFreeString(name);
    SysFreeString(doc);
    for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
        ComPtr<ITypeInfo> info;
        const std::string heading = std::string("type ").append(std::to_string(i));
        if (SUCCEEDED(library->GetTypeInfo(i, &info)))
            dump_type(library.Get(), info.Get(), heading.c_str(), static_cast<int>(i));
        else std::printf("%s: not found\n", heading.c_str());
    }
    return 0;
}
