#include "variant_bridge.hpp"

#include <limits>

namespace prestova::component {

namespace {

// A whole number wider than the core's 32 bits travels as a double.
Variant whole(long long value)
{
    if (value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max())
        return Variant::long_integer(static_cast<std::int32_t>(value));
    return Variant::real(static_cast<double>(value));
}

// A malformed DECIMAL has no value the core could hold.
std::optional<Variant> decimal(const DECIMAL& value)
{
    if (value.scale > kMaxDecimalScale || (value.sign & ~DECIMAL_NEG) != 0) return std::nullopt;
    return Variant::decimal(
        Decimal{.high = value.Hi32, .low = value.Lo64, .scale = value.scale, .negative = value.sign == DECIMAL_NEG});
}

// The DECIMAL's own fields only: its first two bytes may be the type code
// of the VARIANT it lies in.
void set_decimal(DECIMAL& target, const Decimal& value)
{
    target.scale = value.scale;
    target.sign = value.negative ? DECIMAL_NEG : 0;
    target.Hi32 = value.high;
    target.Lo64 = value.low;
}

// Stores a converted value into by-reference storage of the same base type.
HRESULT store(VARIANT& target, VARIANT& converted)
{
    switch (target.vt & VT_TYPEMASK) {
    case VT_BSTR:
        SysFreeString(*target.pbstrVal);
        *target.pbstrVal = converted.bstrVal;  // ownership moves to the caller
        converted.vt = VT_EMPTY;
        return S_OK;
    case VT_I1: *target.pcVal = converted.cVal; return S_OK;
    case VT_UI1: *target.pbVal = converted.bVal; return S_OK;
    case VT_I2: *target.piVal = converted.iVal; return S_OK;
    case VT_UI2: *target.puiVal = converted.uiVal; return S_OK;
    case VT_I4: *target.plVal = converted.lVal; return S_OK;
    case VT_UI4: *target.pulVal = converted.ulVal; return S_OK;
    case VT_INT: *target.pintVal = converted.intVal; return S_OK;
    case VT_UINT: *target.puintVal = converted.uintVal; return S_OK;
    case VT_I8: *target.pllVal = converted.llVal; return S_OK;
    case VT_UI8: *target.pullVal = converted.ullVal; return S_OK;
    case VT_R4: *target.pfltVal = converted.fltVal; return S_OK;
    case VT_R8: *target.pdblVal = converted.dblVal; return S_OK;
    case VT_BOOL: *target.pboolVal = converted.boolVal; return S_OK;
    case VT_CY: *target.pcyVal = converted.cyVal; return S_OK;
    case VT_DATE: *target.pdate = converted.date; return S_OK;
    case VT_ERROR: *target.pscode = converted.scode; return S_OK;
    case VT_DECIMAL: {
        DECIMAL& decimal = *target.pdecVal;  // its own fields only, as set_decimal
        decimal.signscale = converted.decVal.signscale;
        decimal.Hi32 = converted.decVal.Hi32;
        decimal.Lo64 = converted.decVal.Lo64;
        return S_OK;
    }
    default: return DISP_E_TYPEMISMATCH;
    }
}

}  // namespace

std::string to_ansi(const OLECHAR* text, UINT length)
{
    if (!text || length == 0) return {};
    const int wide = static_cast<int>(length);
    const int size = WideCharToMultiByte(CP_ACP, 0, text, wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(CP_ACP, 0, text, wide, out.data(), size, nullptr, nullptr);
    return out;
}

std::string to_ansi(BSTR text) { return to_ansi(text, text ? SysStringLen(text) : 0); }

BSTR to_bstr(std::string_view ansi)
{
    const int narrow = static_cast<int>(ansi.size());
    const int size = narrow ? MultiByteToWideChar(CP_ACP, 0, ansi.data(), narrow, nullptr, 0) : 0;
    BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(size));
    if (out && size > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), narrow, out, size);
    return out;
}

std::optional<Variant> from_variant(const VARIANT& value)
{
    if (value.vt & VT_BYREF) {
        VARIANT direct;
        VariantInit(&direct);
        if (FAILED(VariantCopyInd(&direct, const_cast<VARIANT*>(&value)))) return std::nullopt;
        auto result = from_variant(direct);
        VariantClear(&direct);
        return result;
    }
    switch (value.vt) {
    case VT_EMPTY: return Variant();
    case VT_NULL: return Variant::null();
    case VT_I2: return Variant::integer(value.iVal);
    case VT_I4: return Variant::long_integer(value.lVal);
    case VT_R4: return Variant::single(value.fltVal);
    case VT_R8: return Variant::real(value.dblVal);
    case VT_CY: return Variant::currency(Currency{.ten_thousandths = value.cyVal.int64});
    case VT_DATE: return Variant::date(value.date);
    case VT_BSTR: return Variant(to_ansi(value.bstrVal));
    case VT_BOOL: return Variant::boolean(value.boolVal != VARIANT_FALSE);
    case VT_ERROR: return Variant::error(value.scode);
    case VT_DECIMAL: return decimal(value.decVal);
    case VT_UI1: return Variant::byte(value.bVal);
    case VT_INT: return Variant::long_integer(value.intVal);
    case VT_I1: return Variant::integer(value.cVal);
    case VT_UI2: return Variant::long_integer(value.uiVal);
    case VT_UI4: return whole(value.ulVal);
    case VT_UINT: return whole(value.uintVal);
    case VT_I8: return whole(value.llVal);
    case VT_UI8:
        if (value.ullVal > static_cast<unsigned long long>(std::numeric_limits<long long>::max()))
            return Variant::real(static_cast<double>(value.ullVal));
        return whole(static_cast<long long>(value.ullVal));
    default: return std::nullopt;
    }
}

HRESULT to_variant(const Variant& value, VARIANT* out)
{
    VariantInit(out);
    switch (value.type()) {
    case Variant::Type::Empty: return S_OK;
    case Variant::Type::Null: out->vt = VT_NULL; return S_OK;
    case Variant::Type::Integer:
        out->vt = VT_I2;
        out->iVal = value.as_integer();
        return S_OK;
    case Variant::Type::Long:
        out->vt = VT_I4;
        out->lVal = value.as_long();
        return S_OK;
    case Variant::Type::Single:
        out->vt = VT_R4;
        out->fltVal = value.as_single();
        return S_OK;
    case Variant::Type::Double:
        out->vt = VT_R8;
        out->dblVal = value.as_double();
        return S_OK;
    case Variant::Type::Currency:
        out->vt = VT_CY;
        out->cyVal.int64 = value.as_currency().ten_thousandths;
        return S_OK;
    case Variant::Type::Date:
        out->vt = VT_DATE;
        out->date = value.as_date();
        return S_OK;
    case Variant::Type::Text: {
        BSTR text = to_bstr(value.text());
        if (!text) return E_OUTOFMEMORY;
        out->vt = VT_BSTR;
        out->bstrVal = text;
        return S_OK;
    }
    case Variant::Type::Boolean:
        out->vt = VT_BOOL;
        out->boolVal = value.as_boolean() ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    case Variant::Type::Error:
        out->vt = VT_ERROR;
        out->scode = value.as_error();
        return S_OK;
    case Variant::Type::Decimal:
        set_decimal(out->decVal, value.as_decimal());
        out->vt = VT_DECIMAL;  // after the fields: the type code shares the DECIMAL's first bytes
        return S_OK;
    case Variant::Type::Byte:
        out->vt = VT_UI1;
        out->bVal = value.as_byte();
        return S_OK;
    }
    return DISP_E_TYPEMISMATCH;
}

HRESULT write_back(const Variant& value, VARIANT& by_reference)
{
    if (!(by_reference.vt & VT_BYREF) || !by_reference.byref) return E_INVALIDARG;
    if ((by_reference.vt & VT_TYPEMASK) == VT_VARIANT) {
        VARIANT* target = by_reference.pvarVal;
        VariantClear(target);
        return to_variant(value, target);
    }
    VARIANT fresh;
    HRESULT hr = to_variant(value, &fresh);
    if (FAILED(hr)) return hr;
    VARIANT converted;
    VariantInit(&converted);
    hr = VariantChangeType(&converted, &fresh, 0, static_cast<VARTYPE>(by_reference.vt & VT_TYPEMASK));
    VariantClear(&fresh);
    if (SUCCEEDED(hr)) hr = store(by_reference, converted);
    VariantClear(&converted);
    return hr;
}

}  // namespace prestova::component
