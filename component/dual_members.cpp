// The vtable side of the dual interface: each member hands its arguments to
// the same core dispatch that IDispatch::Invoke uses.
#include "control_object.hpp"

#include "dispatch_call.hpp"
#include "variant_bridge.hpp"

namespace prestova::component {

namespace {

const Member& property_member(const char* name, MemberKind kind)
{
    // Every name here is in the table: the type library was written from it.
    return *find_member(*find_dispid(name), kind);
}

// Runs a member's body unless the site lock refused the page; taking the
// arguments over allocates, so an exception may come from outside the
// core's call too.
template <class Body>
HRESULT vtable_call(bool page_refused, Body&& body)
{
    clear_error_info();
    if (page_refused) return E_ACCESSDENIED;
    try {
        return body();
    } catch (...) {
        return hresult_from_exception(ErrorReport::ErrorObject);
    }
}

}  // namespace

HRESULT STDMETHODCALLTYPE ControlObject::DeviceColors(LONG* hDC, float* result)
{
    return vtable_call(page_refused_, [&] {
        if (!hDC || !result) return E_POINTER;
        std::vector<Variant> args{Variant::long_integer(*hDC)};
        Variant value;
        const HRESULT hr = call_member(control_, method_member(Method::DeviceColors), args, &value);
        if (args[0].type() == Variant::Type::Long) *hDC = args[0].as_long();
        if (SUCCEEDED(hr)) *result = value.as_single();
        return hr;
    });
}

HRESULT STDMETHODCALLTYPE ControlObject::GetDiskSpace(BSTR* sDrive, VARIANT* result)
{
    return vtable_call(page_refused_, [&] {
        if (!sDrive || !result) return E_POINTER;
        std::vector<Variant> args{Variant(to_ansi(*sDrive))};
        Variant value;
        HRESULT hr = call_member(control_, method_member(Method::GetDiskSpace), args, &value);
        if (SUCCEEDED(hr) && args[0].is_text()) {
            BSTR drive = to_bstr(args[0].text());
            if (!drive) return E_OUTOFMEMORY;
            SysFreeString(*sDrive);
            *sDrive = drive;
        }
        if (SUCCEEDED(hr)) hr = to_variant(value, result);
        return hr;
    });
}

HRESULT STDMETHODCALLTYPE ControlObject::CutLangType(VARIANT* Number, VARIANT* result)
{
    return vtable_call(page_refused_, [&] {
        if (!Number || !result) return E_POINTER;
        auto number = from_variant(*Number);
        if (!number) return DISP_E_TYPEMISMATCH;
        std::vector<Variant> args{std::move(*number)};
        Variant value;
        HRESULT hr = call_member(control_, method_member(Method::CutLangType), args, &value);
        // The argument may have changed before an error was raised.
        VariantClear(Number);
        const HRESULT written = to_variant(args[0], Number);
        if (SUCCEEDED(hr)) hr = FAILED(written) ? written : to_variant(value, result);
        return hr;
    });
}

HRESULT STDMETHODCALLTYPE ControlObject::CutDecimal(VARIANT* Number, unsigned char* ByPlace, BSTR* result)
{
    return vtable_call(page_refused_, [&] {
        if (!Number || !ByPlace || !result) return E_POINTER;
        auto number = from_variant(*Number);
        if (!number) return DISP_E_TYPEMISMATCH;
        std::vector<Variant> args{std::move(*number), Variant::byte(*ByPlace)};
        Variant value;
        const HRESULT hr = call_member(control_, method_member(Method::CutDecimal), args, &value);
        if (FAILED(hr)) return hr;
        VariantClear(Number);
        HRESULT written = to_variant(args[0], Number);
        if (FAILED(written)) return written;
        *ByPlace = args[1].as_byte();
        *result = to_bstr(value.text());
        return *result ? S_OK : E_OUTOFMEMORY;
    });
}

HRESULT STDMETHODCALLTYPE ControlObject::getVersion(OSofPrestovaUser* result)
{
    return vtable_call(page_refused_, [&] {
        if (!result) return E_POINTER;
        std::vector<Variant> args;
        Variant value;
        const HRESULT hr = call_member(control_, method_member(Method::getVersion), args, &value);
        if (SUCCEEDED(hr)) *result = static_cast<OSofPrestovaUser>(value.as_long());
        return hr;
    });
}

HRESULT ControlObject::get_property(const char* name, VARIANT* result)
{
    return vtable_call(page_refused_, [&] {
        if (!result) return E_POINTER;
        std::vector<Variant> args;
        Variant value;
        const HRESULT hr = call_member(control_, property_member(name, MemberKind::PropertyGet), args, &value);
        return SUCCEEDED(hr) ? to_variant(value, result) : hr;
    });
}

// A value the core has no type for is refused before the member runs, so
// the property keeps its value.
HRESULT ControlObject::put_property(const char* name, const VARIANT& value)
{
    return vtable_call(page_refused_, [&] {
        auto core = from_variant(value);
        if (!core) return DISP_E_TYPEMISMATCH;
        std::vector<Variant> args{std::move(*core)};
        return call_member(control_, property_member(name, MemberKind::PropertyPut), args, nullptr);
    });
}

#define PRESTOVA_DEFINE_PROPERTY(name)                                                                                 \
    HRESULT STDMETHODCALLTYPE ControlObject::get_##name(VARIANT* result) { return get_property(#name, result); }       \
    HRESULT STDMETHODCALLTYPE ControlObject::put_##name(VARIANT value) { return put_property(#name, value); }
PRESTOVA_PROPERTIES(PRESTOVA_DEFINE_PROPERTY)
#undef PRESTOVA_DEFINE_PROPERTY

}  // namespace prestova::component
