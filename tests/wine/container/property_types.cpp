// The types mode: every scalar automation type written to a property and read
// back, through IDispatch::Invoke (by value, by typed reference and by a
// VARIANT reference) and through the dual interface; then carried by
// IPersistPropertyBag and IPersistStreamInit into fresh controls. Objects,
// arrays and a malformed Decimal are refused. A method's by-reference
// argument goes back into storage of the caller's type. Every value read is
// printed with its VARTYPE and exact bits: the expected transcript is the
// judge.
#include "com_helpers.hpp"
#include "container_modes.hpp"
#include "param_bag.hpp"

#include "control/identifiers.hpp"

#include <windows.h>
#include <ocidl.h>
#include <oleauto.h>

#include "tallymere.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// A VARIANT that frees what it holds.
struct Value {
    VARIANT v;
    Value() { VariantInit(&v); }
    ~Value() { VariantClear(&v); }
    Value(const Value&) = delete;
    Value& operator=(const Value&) = delete;
};

// A value of one type: its VARTYPE is set after the setter, since a DECIMAL
// fills the whole VARIANT.
struct Sample {
    const char* type;
    VARTYPE vt;
    void (*set)(VARIANT&);
};

void make(const Sample& sample, VARIANT& v)
{
    sample.set(v);
    v.vt = sample.vt;
}

void decimal(VARIANT& v, ULONG hi, ULONGLONG lo, BYTE scale, BYTE sign)
{
    v.decVal.Hi32 = hi;
    v.decVal.Lo64 = lo;
    v.decVal.scale = scale;
    v.decVal.sign = sign;
}

// Each type goes to a property of its own, so all are held at once.
struct Row {
    Sample sample;
    const wchar_t* property;
    HRESULT (STDMETHODCALLTYPE _Prestova::*put)(VARIANT);
    HRESULT (STDMETHODCALLTYPE _Prestova::*get)(VARIANT*);
};
#define WIDE(text) L##text
#define PROPERTY(name) WIDE(#name), &_Prestova::put_##name, &_Prestova::get_##name

const Row kRows[] = {
    {{"Empty", VT_EMPTY, [](VARIANT&) {}}, PROPERTY(MemoryMin)},
    {{"Null", VT_NULL, [](VARIANT&) {}}, PROPERTY(IEVersion)},
    {{"Integer", VT_I2, [](VARIANT& v) { v.iVal = -1234; }}, PROPERTY(CPUMin)},
    {{"Long", VT_I4, [](VARIANT& v) { v.lVal = -2147483647 - 1; }}, PROPERTY(CPURec)},
    {{"Single", VT_R4, [](VARIANT& v) { v.fltVal = 0.1f; }}, PROPERTY(DiskSpaceMin)},
    {{"Double", VT_R8, [](VARIANT& v) { v.dblVal = 0.1; }}, PROPERTY(DiskSpaceRec)},
    // -922337203685477.5808: no double holds it.
    {{"Currency", VT_CY, [](VARIANT& v) { v.cyVal.int64 = INT64_MIN; }}, PROPERTY(MemoryRec)},
    {{"Date", VT_DATE, [](VARIANT& v) { v.date = 40000.5; }}, PROPERTY(OSMin)},
    {{"String", VT_BSTR, [](VARIANT& v) { v.bstrVal = SysAllocString(L"Tallymere \"1.0\" C:\\path=x\r\nline 2"); }},
     PROPERTY(OSRec)},
    {{"Boolean", VT_BOOL, [](VARIANT& v) { v.boolVal = VARIANT_TRUE; }}, PROPERTY(Zip1)},
    {{"Error", VT_ERROR, [](VARIANT& v) { v.scode = E_ACCESSDENIED; }}, PROPERTY(Zip2)},
    // All 96 bits in use, the largest scale, negative.
    {{"Decimal", VT_DECIMAL, [](VARIANT& v) { decimal(v, 0x89ABCDEF, 0x0123456789ABCDEFull, 28, DECIMAL_NEG); }},
     PROPERTY(JavaVersion)},
    {{"Byte", VT_UI1, [](VARIANT& v) { v.bVal = 200; }}, PROPERTY(RedYRM)},
    // Values a script makes that sit at an edge of their type.
    {{"Byte 0", VT_UI1, [](VARIANT& v) { v.bVal = 0; }}, PROPERTY(GreenYRM)},
    {{"Boolean False", VT_BOOL, [](VARIANT& v) { v.boolVal = VARIANT_FALSE; }}, PROPERTY(ScreenMinWid)},
    {{"Date before 1899-12-30", VT_DATE, [](VARIANT& v) { v.date = -1.25; }}, PROPERTY(Zip2URL)},
    {{"Currency four decimals", VT_CY, [](VARIANT& v) { v.cyVal.int64 = -12345678; }}, PROPERTY(Zip1URL)},
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

// The VARTYPE and the value to the last bit; or the failure.
std::string describe(HRESULT hr, const VARIANT& v)
{
    char text[160];
    switch (FAILED(hr) ? VARTYPE{VT_ILLEGAL} : v.vt) {
    case VT_ILLEGAL: std::snprintf(text, sizeof text, "failed 0x%08lX", static_cast<unsigned long>(hr)); break;
    case VT_I2: std::snprintf(text, sizeof text, "vt 2 %d", v.iVal); break;
    case VT_I4: std::snprintf(text, sizeof text, "vt 3 %ld", static_cast<long>(v.lVal)); break;
    case VT_R4: std::snprintf(text, sizeof text, "vt 4 %.9g %s", v.fltVal, bits(v.fltVal).c_str()); break;
    case VT_R8: std::snprintf(text, sizeof text, "vt 5 %.17g %s", v.dblVal, bits(v.dblVal).c_str()); break;
    case VT_CY: std::snprintf(text, sizeof text, "vt 6 %lld", static_cast<long long>(v.cyVal.int64)); break;
    case VT_DATE: std::snprintf(text, sizeof text, "vt 7 %.17g %s", v.date, bits(v.date).c_str()); break;
    case VT_BSTR: {
        std::string out = "vt 8 \"";
        for (const char c : narrow(v.bstrVal))
            out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : c == '\0' ? "\\0" : std::string(1, c);
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

void read_all(const char* pass, IDispatch* dispatch)
{
    for (const Row& row : kRows) {
        Value got;
        const HRESULT hr = get_property(dispatch, row.property, got.v);
        std::printf("%s %s: %s\n", pass, row.sample.type, describe(hr, got.v).c_str());
    }
}

// Writes every row through Invoke, the value handed over as argument_of
// makes it from the row's value, then reads them all back.
template <class ArgumentOf>
void write_and_read_all(const char* pass, IDispatch* dispatch, ArgumentOf argument_of)
{
    for (const Row& row : kRows) {
        Value value;
        make(row.sample, value.v);
        VARIANT argument = argument_of(value.v);
        const HRESULT hr = put_property(dispatch, row.property, argument);
        if (FAILED(hr))
            std::printf("%s %s: write failed 0x%08lX\n", pass, row.sample.type, static_cast<unsigned long>(hr));
    }
    read_all(pass, dispatch);
}

VARIANT variant_reference(VARIANT& value)
{
    VARIANT ref;
    ref.vt = VT_BYREF | VT_VARIANT;
    ref.pvarVal = &value;
    return ref;
}

// A reference of the value's own type; Empty and Null have none, so theirs
// is a reference to the VARIANT.
VARIANT typed_reference(VARIANT& value)
{
    if (value.vt == VT_EMPTY || value.vt == VT_NULL) return variant_reference(value);
    VARIANT ref;
    ref.vt = static_cast<VARTYPE>(VT_BYREF | value.vt);
    // A DECIMAL fills the whole VARIANT; every other value starts where the
    // union of values does.
    ref.byref = value.vt == VT_DECIMAL ? static_cast<void*>(&value.decVal) : static_cast<void*>(&value.lVal);
    return ref;
}

ComPtr<IDispatch> fresh_control() { return query<IDispatch>(create_control().Get()); }

// Saves the control through a bag and a stream, and loads a fresh control
// from each.
void through_bag_and_stream(IDispatch* source)
{
    ParamBag bag;
    say("bag save", query<IPersistPropertyBag>(source)->Save(&bag, TRUE, TRUE));
    std::printf("bag keys: %zu\n", bag.size());
    ComPtr<IDispatch> copy = fresh_control();
    say("bag load", query<IPersistPropertyBag>(copy.Get())->Load(&bag, nullptr));
    read_all("bag", copy.Get());

    ComPtr<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    say("stream save", query<IPersistStreamInit>(source)->Save(stream.Get(), TRUE));
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    copy = fresh_control();
    say("stream load", query<IPersistStreamInit>(copy.Get())->Load(stream.Get()));
    read_all("stream", copy.Get());
}

// Values the control has no type for: each write is refused, and CPUMin,
// read after each, keeps the Long it held, through Invoke and through the
// dual interface.
void refusals(IDispatch* dispatch, _Prestova* dual)
{
    Value held;
    held.v.vt = VT_I4;
    held.v.lVal = 4242;
    say("put CPUMin 4242", put_property(dispatch, L"CPUMin", held.v));
    static IDispatch* object;  // what the objects refused are, for setters that capture nothing
    object = dispatch;
    const Sample refused[] = {
        {"SAFEARRAY", VT_ARRAY | VT_VARIANT, [](VARIANT& v) { v.parray = SafeArrayCreateVector(VT_VARIANT, 0, 2); }},
        {"IDispatch", VT_DISPATCH, [](VARIANT& v) { (v.pdispVal = object)->AddRef(); }},
        {"IUnknown", VT_UNKNOWN, [](VARIANT& v) { (v.punkVal = object)->AddRef(); }},
        {"Decimal of scale 29", VT_DECIMAL, [](VARIANT& v) { decimal(v, 0, 1, 29, 0); }},
    };
    for (const Sample& r : refused) {
        Value value, after_invoke, after_dual;
        make(r, value.v);
        UINT argument = 99;
        const HRESULT by_invoke = put_property(dispatch, L"CPUMin", value.v, nullptr, &argument);
        const HRESULT read_invoke = get_property(dispatch, L"CPUMin", after_invoke.v);
        const HRESULT by_dual = dual->put_CPUMin(value.v);
        const HRESULT read_dual = dual->get_CPUMin(&after_dual.v);
        std::printf("refuse %s: Invoke 0x%08lX argument %u, CPUMin %s; _Prestova 0x%08lX, CPUMin %s\n", r.type,
                    static_cast<unsigned long>(by_invoke), argument, describe(read_invoke, after_invoke.v).c_str(),
                    static_cast<unsigned long>(by_dual), describe(read_dual, after_dual.v).c_str());
    }
}

// CutLangType through Invoke with its by-reference Number in storage of
// each type: the member turns Number into text, and the text goes back into
// the storage converted to the storage's own type. An Error does not become
// text; the call raises an error and the storage keeps the code.
void write_backs(IDispatch* dispatch)
{
    const Sample rows[] = {
        {"Integer", VT_I2, [](VARIANT& v) { v.iVal = -1234; }},
        {"Currency", VT_CY, [](VARIANT& v) { v.cyVal.int64 = 12345000; }},
        {"Decimal", VT_DECIMAL, [](VARIANT& v) { decimal(v, 0, 1250, 2, DECIMAL_NEG); }},  // -12.50
        {"Byte", VT_UI1, [](VARIANT& v) { v.bVal = 200; }},
        {"Double", VT_R8, [](VARIANT& v) { v.dblVal = 0.1; }},
        {"String", VT_BSTR, [](VARIANT& v) { v.bstrVal = SysAllocString(L"5.1 (en)"); }},
        {"Error", VT_ERROR, [](VARIANT& v) { v.scode = E_ACCESSDENIED; }},
    };
    const DISPID cut_lang_type = dispid_of(dispatch, L"CutLangType");
    for (const Sample& row : rows) {
        Value storage, result;
        make(row, storage.v);
        VARIANT argument = typed_reference(storage.v);
        DISPPARAMS params{&argument, nullptr, 1, 0};
        const HRESULT hr = dispatch->Invoke(cut_lang_type, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                            &result.v, nullptr, nullptr);
        std::printf("write back %s: 0x%08lX %s\n", row.type, static_cast<unsigned long>(hr),
                    describe(S_OK, storage.v).c_str());
    }
}

void run()
{
    ComPtr<IDispatch> dispatch = fresh_control();
    auto dual = query<_Prestova>(dispatch.Get(), iid_of(prestova::kInterfaceId));
    if (!dual) return;
    say("init new", query<IPersistStreamInit>(dispatch.Get())->InitNew());
    write_and_read_all("invoke", dispatch.Get(), [](VARIANT& v) { return v; });  // the Value frees it
    write_and_read_all("typed reference", dispatch.Get(), typed_reference);
    write_and_read_all("variant reference", dispatch.Get(), variant_reference);
    for (const Row& row : kRows) {
        Value value, got;
        make(row.sample, value.v);
        const HRESULT put = (dual.Get()->*row.put)(value.v);
        if (FAILED(put))
            std::printf("dual %s: write failed 0x%08lX\n", row.sample.type, static_cast<unsigned long>(put));
        const HRESULT read = (dual.Get()->*row.get)(&got.v);
        std::printf("dual %s: %s\n", row.sample.type, describe(read, got.v).c_str());
    }
    through_bag_and_stream(dispatch.Get());
    refusals(dispatch.Get(), dual.Get());
    write_backs(dispatch.Get());
}

}  // namespace

int property_types()
{
    if (FAILED(OleInitialize(nullptr))) return 1;
    run();
    OleUninitialize();
    return 0;
}
