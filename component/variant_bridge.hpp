#pragma once
// The one place where automation's VARIANT and BSTR meet the core's Variant
// and ANSI text. Everything inside the control stays in core types.
#include "core/variant.hpp"

#include <windows.h>
#include <oleauto.h>

#include <optional>
#include <string>
#include <string_view>

namespace prestova::component {

// BSTR to the ANSI code page and back (CP_ACP, as the control's texts are).
std::string to_ansi(const OLECHAR* text, UINT length);
std::string to_ansi(BSTR text);
BSTR to_bstr(std::string_view ansi);  // nullptr when out of memory

// An argument, by value or by reference, as a core value: each scalar
// automation type as the core type of the same code, the other whole-number
// types as Long (or Double beyond its range). Nothing for a type the core has
// no place for (objects, arrays, missing ones) and for a malformed Decimal
// (a scale past 28 or a sign byte other than 0 and DECIMAL_NEG).
std::optional<Variant> from_variant(const VARIANT& value);

// Fills *out, which holds nothing that needs freeing, with the VARTYPE of
// the core type.
HRESULT to_variant(const Variant& value, VARIANT* out);

// Writes a by-reference argument back into the caller's storage, in the
// storage's own type (a VARIANT takes the value as it is).
HRESULT write_back(const Variant& value, VARIANT& by_reference);

}  // namespace prestova::component
