// The types mode: every scalar automation type written to a property and read
// back with the same VARTYPE and the same bits, through IDispatch::Invoke
// (by value, by typed reference and by a VARIANT reference) and through the
// dual interface; then carried by IPersistPropertyBag and IPersistStreamInit
// into fresh controls. Objects, arrays and a malformed Decimal are refused
// with DISP_E_TYPEMISMATCH and the property keeps what it held. A method's
// by-reference argument goes back into storage of the caller's type.
#include "com_helpers.hpp"
#include "container_modes.hpp"
#include "param_bag.hpp"

#include "control/identifiers.hpp"

#include <windows.h>
#include <ocidl.h>
#include <oleauto.h>
#include <wrl/client.h>

#include "tallymere.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

using Microsoft::WRL::ComPtr;

using Put = HRESULT (STDMETHODCALLTYPE _Prestova::*)(VARIANT);
using Get = HRESULT (STDMETHODCALLTYPE _Prestova::*)(VARIANT*);

// A VARIANT that frees what it holds.
struct Value {
    VARIANT v;
    Value() { VariantInit(&v); }
    ~Value() { VariantClear(&v); }
    Value(const Value&) = delete;
    Value& operator=(const Value&) = delete;
};

// Each type goes to a property of its own, so all are held at once.
struct Row {
    const char* type;
    const wchar_t* property;
    Put put;
    Get get;
    void (*make)(VARIANT&);
};

const Row kRows[] = {
    {"Empty", L"MemoryMin", &_Prestova::put_MemoryMin, &_Prestova::get_MemoryMin, [](VARIANT&) {}},
    {"Null", L"IEVersion", &_Prestova::put_IEVersion, &_Prestova::get_IEVersion, [](VARIANT& v) { v.vt = VT_NULL; }},
    {"Integer", L"CPUMin", &_Prestova::put_CPUMin, &_Prestova::get_CPUMin,
     [](VARIANT& v) {
         v.vt = VT_I2;
         v.iVal = -1234;
     }},
    {"Long", L"CPURec", &_Prestova::put_CPURec, &_Prestova::get_CPURec,
     [](VARIANT& v) {
         v.vt = VT_I4;
         v.lVal = -2147483647 - 1;
     }},
    {"Single", L"DiskSpaceMin", &_Prestova::put_DiskSpaceMin, &_Prestova::get_DiskSpaceMin,
     [](VARIANT& v) {
         v.vt = VT_R4;
         v.fltVal = 0.1f;
     }},
    {"Double", L"DiskSpaceRec", &_Prestova::put_DiskSpaceRec, &_Prestova::get_DiskSpaceRec,
     [](VARIANT& v) {
         v.vt = VT_R8;
         v.dblVal = 0.1;
     }},
    {"Currency", L"MemoryRec", &_Prestova::put_MemoryRec, &_Prestova::get_MemoryRec,
     [](VARIANT& v) {
         v.vt = VT_CY;
         v.cyVal.int64 = INT64_MIN;  // -922337203685477.5808, no double holds it
     }},
    {"Date", L"OSMin", &_Prestova::put_OSMin, &_Prestova::get_OSMin,
     [](VARIANT& v) {
         v.vt = VT_DATE;
         v.date = 40000.5;
     }},
    {"String", L"OSRec", &_Prestova::put_OSRec, &_Prestova::get_OSRec,
     [](VARIANT& v) {
         v.vt = VT_BSTR;
         v.bstrVal = SysAllocString(L"Tallymere \"1.0\" C:\\path=x\r\nline 2");
     }},
    {"Boolean", L"Zip1", &_Prestova::put_Zip1, &_Prestova::get_Zip1,
     [](VARIANT& v) {
         v.vt = VT_BOOL;
         v.boolVal = VARIANT_TRUE;
     }},
    {"Error", L"Zip2", &_Prestova::put_Zip2, &_Prestova::get_Zip2,
     [](VARIANT& v) {
         v.vt = VT_ERROR;
         v.scode = E_ACCESSDENIED;
     }},
    {"Decimal", L"JavaVersion", &_Prestova::put_JavaVersion, &_Prestova::get_JavaVersion,
     [](VARIANT& v) {
         // All 96 bits in use, the largest scale, negative.
         v.decVal.Hi32 = 0x89ABCDEF;
         v.decVal.Lo64 = 0x0123456789ABCDEFull;
         v.decVal.scale = 28;
         v.decVal.sign = DECIMAL_NEG;
         v.vt = VT_DECIMAL;
     }},
    {"Byte", L"RedYRM", &_Prestova::put_RedYRM, &_Prestova::get_RedYRM,
     [](VARIANT& v) {
         v.vt = VT_UI1;
         v.bVal = 200;
     }},
};

template <class T>
std::string bits(const T& value)
{
    unsigned long long raw = 0;
    std::memcpy(&raw, &value, sizeof value);
    char text[32];
    std::snprintf(text, sizeof text, sizeof value == 4 ? "0x%08llX" : "0x%016llX", raw);
    return text;
}

std::string describe(const VARIANT& v)
{
    char text[160];
    switch (v.vt) {
    case VT_I2: std::snprintf(text, sizeof text, "vt 2 %d", v.iVal); break;
    case VT_I4: std::snprintf(text, sizeof text, "vt 3 %ld", static_cast<long>(v.lVal)); break;
    case VT_R4: std::snprintf(text, sizeof text, "vt 4 %.9g %s", v.fltVal, bits(v.fltVal).c_str()); break;
    case VT_R8: std::snprintf(text, sizeof text, "vt 5 %.17g %s", v.dblVal, bits(v.dblVal).c_str()); break;
    case VT_CY: std::snprintf(text, sizeof text, "vt 6 %lld", static_cast<long long>(v.cyVal.int64)); break;
    case VT_DATE: std::snprintf(text, sizeof text, "vt 7 %.17g %s", v.date, bits(v.date).c_str()); break;
    case VT_BSTR: {
        std::string out = "vt 8 \"";
        for (UINT i = 0; v.bstrVal && i < SysStringLen(v.bstrVal); ++i) {
            const wchar_t c = v.bstrVal[i];
            if (c == L'\r') out += "\\r";
            else if (c == L'\n') out += "\\n";
            else out += c < 128 ? static_cast<char>(c) : '?';
        }
        return out + "\"";
    }
    case VT_BOOL: std::snprintf(text, sizeof text, "vt 11 %d", v.boolVal); break;
    case VT_ERROR: std::snprintf(text, sizeof text, "vt 10 0x%08lX", static_cast<unsigned long>(v.scode)); break;
    case VT_DECIMAL:
        std::snprintf(text, sizeof text, "vt 14 hi 0x%08lX lo 0x%016llX scale %u sign 0x%02X",
                      static_cast<unsigned long>(v.decVal.Hi32), static_cast<unsigned long long>(v.decVal.Lo64),
                      v.decVal.scale, v.decVal.sign);
        break;
    case VT_UI1: std::snprintf(text, sizeof text, "vt 17 %u", v.bVal); break;
    default: std::snprintf(text, sizeof text, "vt %u", v.vt); break;
    }
    return text;
}

// The same type and the same bits.
bool same(const VARIANT& a, const VARIANT& b)
{
    if (a.vt != b.vt) return false;
    switch (a.vt) {
    case VT_EMPTY:
    case VT_NULL: return true;
    case VT_I2: return a.iVal == b.iVal;
    case VT_I4: return a.lVal == b.lVal;
    case VT_R4: return bits(a.fltVal) == bits(b.fltVal);
    case VT_R8: return bits(a.dblVal) == bits(b.dblVal);
    case VT_CY: return a.cyVal.int64 == b.cyVal.int64;
    case VT_DATE: return bits(a.date) == bits(b.date);
    case VT_BSTR:
        return SysStringLen(a.bstrVal) == SysStringLen(b.bstrVal) &&
               std::memcmp(a.bstrVal, b.bstrVal, SysStringByteLen(a.bstrVal)) == 0;
    case VT_BOOL: return a.boolVal == b.boolVal;
    case VT_ERROR: return a.scode == b.scode;
    case VT_DECIMAL:
        return a.decVal.Hi32 == b.decVal.Hi32 && a.decVal.Lo64 == b.decVal.Lo64 && a.decVal.scale == b.decVal.scale &&
               a.decVal.sign == b.decVal.sign;
    case VT_UI1: return a.bVal == b.bVal;
    default: return false;
    }
}

HRESULT invoke_put(IDispatch* dispatch, const wchar_t* name, VARIANT& value, UINT* argument_error = nullptr)
{
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    return dispatch->Invoke(dispid_of(dispatch, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                            nullptr, nullptr, argument_error);
}

HRESULT invoke_get(IDispatch* dispatch, const wchar_t* name, VARIANT& out)
{
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    return dispatch->Invoke(dispid_of(dispatch, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &out,
                            nullptr, nullptr);
}

// "PASS TYPE: VALUE same", or the value that came back and "DIFFERENT".
bool report(const char* pass, const Row& row, HRESULT read, const VARIANT& got)
{
    Value expected;
    row.make(expected.v);
    const bool ok = SUCCEEDED(read) && same(expected.v, got);
    if (FAILED(read))
        std::printf("%s %s: read failed 0x%08lX DIFFERENT\n", pass, row.type, static_cast<unsigned long>(read));
    else std::printf("%s %s: %s %s\n", pass, row.type, describe(got).c_str(), ok ? "same" : "DIFFERENT");
    return ok;
}

bool read_all_through_invoke(const char* pass, IDispatch* dispatch)
{
    bool ok = true;
    for (const Row& row : kRows) {
        Value got;
        ok = report(pass, row, invoke_get(dispatch, row.property, got.v), got.v) && ok;
    }
    return ok;
}

// Writes every row through Invoke, the value handed over as make_argument
// makes it from the row's value; reports any write that fails.
template <class MakeArgument>
bool write_all_through_invoke(const char* pass, IDispatch* dispatch, MakeArgument make_argument)
{
    bool ok = true;
    for (const Row& row : kRows) {
        Value value;
        row.make(value.v);
        VARIANT argument = make_argument(value.v);
        const HRESULT hr = invoke_put(dispatch, row.property, argument);
        if (FAILED(hr)) {
            std::printf("%s %s: write failed 0x%08lX\n", pass, row.type, static_cast<unsigned long>(hr));
            ok = false;
        }
    }
    return ok;
}

// A reference of the value's own type; Empty and Null have none, so theirs
// is a reference to the VARIANT.
VARIANT typed_reference(VARIANT& value)
{
    VARIANT ref;
    VariantInit(&ref);
    if (value.vt == VT_EMPTY || value.vt == VT_NULL) {
        ref.vt = VT_BYREF | VT_VARIANT;
        ref.pvarVal = &value;
    } else {
        ref.vt = static_cast<VARTYPE>(VT_BYREF | value.vt);
        // A DECIMAL fills the whole VARIANT; every other value starts where
        // the union of values does.
        ref.byref = value.vt == VT_DECIMAL ? static_cast<void*>(&value.decVal) : static_cast<void*>(&value.lVal);
    }
    return ref;
}

VARIANT variant_reference(VARIANT& value)
{
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_BYREF | VT_VARIANT;
    ref.pvarVal = &value;
    return ref;
}

VARIANT as_given(VARIANT& value) { return value; }  // a shallow copy: the row's Value frees it

ComPtr<IDispatch> fresh_control()
{
    CLSID clsid;
    ComPtr<IUnknown> control;
    *control.GetAddressOf() = create_control(clsid);
    ComPtr<IDispatch> dispatch;
    if (control) control->QueryInterface(IID_IDispatch, &dispatch);
    return dispatch;
}

bool through_bag(IDispatch* source)
{
    ParamBag bag;
    ComPtr<IPersistPropertyBag> saving;
    source->QueryInterface(IID_IPersistPropertyBag, &saving);
    say("bag save", saving->Save(&bag, TRUE, TRUE));
    std::printf("bag keys: %zu\n", bag.size());
    ComPtr<IDispatch> copy = fresh_control();
    if (!copy) return false;
    ComPtr<IPersistPropertyBag> loading;
    copy->QueryInterface(IID_IPersistPropertyBag, &loading);
    say("bag load", loading->Load(&bag, nullptr));
    return read_all_through_invoke("bag", copy.Get());
}

bool through_stream(IDispatch* source)
{
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return false;
    ComPtr<IPersistStreamInit> saving;
    source->QueryInterface(IID_IPersistStreamInit, &saving);
    say("stream save", saving->Save(stream.Get(), TRUE));
    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ComPtr<IDispatch> copy = fresh_control();
    if (!copy) return false;
    ComPtr<IPersistStreamInit> loading;
    copy->QueryInterface(IID_IPersistStreamInit, &loading);
    say("stream load", loading->Load(stream.Get()));
    return read_all_through_invoke("stream", copy.Get());
}

// Values the control has no type for: each write is refused and CPUMin
// keeps the Long it held, through Invoke and through the dual interface.
bool refusals(IDispatch* dispatch, _Prestova* dual)
{
    Value held;
    held.v.vt = VT_I4;
    held.v.lVal = 4242;
    say("put CPUMin 4242", invoke_put(dispatch, L"CPUMin", held.v));

    struct Refused {
        const char* what;
        void (*make)(VARIANT&, IDispatch*);
    };
    const Refused refused[] = {
        {"SAFEARRAY",
         [](VARIANT& v, IDispatch*) {
             v.parray = SafeArrayCreateVector(VT_VARIANT, 0, 2);
             v.vt = VT_ARRAY | VT_VARIANT;
         }},
        {"IDispatch",
         [](VARIANT& v, IDispatch* object) {
             object->AddRef();
             v.pdispVal = object;
             v.vt = VT_DISPATCH;
         }},
        {"IUnknown",
         [](VARIANT& v, IDispatch* object) {
             object->AddRef();
             v.punkVal = object;
             v.vt = VT_UNKNOWN;
         }},
        {"Decimal of scale 29",
         [](VARIANT& v, IDispatch*) {
             v.decVal.Lo64 = 1;
             v.decVal.scale = 29;
             v.vt = VT_DECIMAL;
         }},
    };
    bool ok = true;
    for (const Refused& r : refused) {
        Value value;
        r.make(value.v, dispatch);
        UINT argument = 99;
        const HRESULT by_invoke = invoke_put(dispatch, L"CPUMin", value.v, &argument);
        Value after_invoke;
        invoke_get(dispatch, L"CPUMin", after_invoke.v);
        const HRESULT by_dual = dual->put_CPUMin(value.v);
        Value after_dual;
        dual->get_CPUMin(&after_dual.v);
        const bool kept = same(held.v, after_invoke.v) && same(held.v, after_dual.v);
        std::printf("refuse %s: Invoke 0x%08lX argument %u, _Prestova 0x%08lX; CPUMin %s %s\n", r.what,
                    static_cast<unsigned long>(by_invoke), argument, static_cast<unsigned long>(by_dual),
                    describe(after_dual.v).c_str(), kept ? "kept" : "CHANGED");
        ok = ok && kept && by_invoke == DISP_E_TYPEMISMATCH && by_dual == DISP_E_TYPEMISMATCH;
    }
    return ok;
}

// CutLangType through Invoke with its by-reference Number in storage of
// each type: the member turns Number into text, and the text goes back into
// the storage converted to the storage's own type. An Error does not become
// text; the call raises an error and the storage keeps the code.
bool write_backs(IDispatch* dispatch)
{
    struct WriteBack {
        const char* type;
        void (*make)(VARIANT&);
        void (*expected)(VARIANT&);
        HRESULT status;
    };
    const WriteBack rows[] = {
        {"Integer",
         [](VARIANT& v) {
             v.vt = VT_I2;
             v.iVal = -1234;
         },
         [](VARIANT& v) {
             v.vt = VT_I2;
             v.iVal = -1234;
         },
         S_OK},
        {"Currency",
         [](VARIANT& v) {
             v.vt = VT_CY;
             v.cyVal.int64 = 12345000;
         },
         [](VARIANT& v) {
             v.vt = VT_CY;
             v.cyVal.int64 = 12345000;
         },
         S_OK},
        {"Decimal",
         [](VARIANT& v) {  // -12.50: the text drops the trailing zero
             v.decVal.Lo64 = 1250;
             v.decVal.scale = 2;
             v.decVal.sign = DECIMAL_NEG;
             v.vt = VT_DECIMAL;
         },
         [](VARIANT& v) {
             v.decVal.Lo64 = 125;
             v.decVal.scale = 1;
             v.decVal.sign = DECIMAL_NEG;
             v.vt = VT_DECIMAL;
         },
         S_OK},
        {"Byte",
         [](VARIANT& v) {
             v.vt = VT_UI1;
             v.bVal = 200;
         },
         [](VARIANT& v) {
             v.vt = VT_UI1;
             v.bVal = 200;
         },
         S_OK},
        {"Double",
         [](VARIANT& v) {
             v.vt = VT_R8;
             v.dblVal = 0.1;
         },
         [](VARIANT& v) {
             v.vt = VT_R8;
             v.dblVal = 0.1;
         },
         S_OK},
        {"String",
         [](VARIANT& v) {
             v.vt = VT_BSTR;
             v.bstrVal = SysAllocString(L"5.1 (en)");
         },
         [](VARIANT& v) {
             v.vt = VT_BSTR;
             v.bstrVal = SysAllocString(L"5.1");
         },
         S_OK},
        {"Error",
         [](VARIANT& v) {
             v.vt = VT_ERROR;
             v.scode = E_ACCESSDENIED;
         },
         [](VARIANT& v) {
             v.vt = VT_ERROR;
             v.scode = E_ACCESSDENIED;
         },
         DISP_E_EXCEPTION},
    };
    const DISPID cut_lang_type = dispid_of(dispatch, L"CutLangType");
    bool ok = true;
    for (const WriteBack& row : rows) {
        Value storage;
        row.make(storage.v);
        VARIANT argument = typed_reference(storage.v);
        DISPPARAMS params{&argument, nullptr, 1, 0};
        Value result;
        const HRESULT hr = dispatch->Invoke(cut_lang_type, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                            &result.v, nullptr, nullptr);
        Value expected;
        row.expected(expected.v);
        const bool kept = hr == row.status && same(expected.v, storage.v);
        std::printf("write back %s: 0x%08lX %s %s\n", row.type, static_cast<unsigned long>(hr),
                    describe(storage.v).c_str(), kept ? "same" : "DIFFERENT");
        ok = ok && kept;
    }
    return ok;
}

}  // namespace

int property_types()
{
    if (FAILED(OleInitialize(nullptr))) return 1;
    bool ok = false;
    {
        ComPtr<IDispatch> dispatch = fresh_control();
        ComPtr<_Prestova> dual;
        if (dispatch) dispatch->QueryInterface(iid_of(prestova::kInterfaceId), &dual);
        ComPtr<IPersistStreamInit> init;
        if (dispatch) dispatch->QueryInterface(IID_IPersistStreamInit, &init);
        if (dual && init) {
            say("init new", init->InitNew());
            ok = write_all_through_invoke("invoke", dispatch.Get(), as_given);
            ok = read_all_through_invoke("invoke", dispatch.Get()) && ok;
            ok = write_all_through_invoke("typed reference", dispatch.Get(), typed_reference) && ok;
            ok = read_all_through_invoke("typed reference", dispatch.Get()) && ok;
            ok = write_all_through_invoke("variant reference", dispatch.Get(), variant_reference) && ok;
            ok = read_all_through_invoke("variant reference", dispatch.Get()) && ok;
            for (const Row& row : kRows) {
                Value value;
                row.make(value.v);
                const HRESULT put = (dual.Get()->*row.put)(value.v);
                Value got;
                const HRESULT got_status = (dual.Get()->*row.get)(&got.v);
                if (FAILED(put))
                    std::printf("dual %s: write failed 0x%08lX\n", row.type, static_cast<unsigned long>(put));
                ok = report("dual", row, got_status, got.v) && ok && SUCCEEDED(put);
            }
            ok = through_bag(dispatch.Get()) && ok;
            ok = through_stream(dispatch.Get()) && ok;
            ok = refusals(dispatch.Get(), dual.Get()) && ok;
            ok = write_backs(dispatch.Get()) && ok;
        }
    }
    OleUninitialize();
    std::printf("types: %s\n", ok ? "all kept" : "FAILED");
    return ok ? 0 : 1;
}
