#pragma once
// Cutting product version texts read from the registry down to the part
// the checks compare. Both work on characters only.
#include "core/variant.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace prestova {

// Drops a parenthesised suffix together with the character before it
// ("4.79 (en)" gives "4.79"). Number is rewritten as text first; an empty
// input returns no value and is left alone. A "(" at the very start is an
// invalid-argument error.
Variant CutLangType(Variant& Number, const Locale& locale);

// Keeps ByPlace characters after the first full stop ("6.0.2800" with 1
// place gives "6.0"). Positions are 8-bit: beyond 255 they overflow.
std::string CutDecimal(const Variant& Number, std::uint8_t ByPlace, const Locale& locale);

// Orders two version texts. Texts made of whole numbers separated by full
// stops or underscores compare number by number (a missing number counts
// as 0, so 6.0 equals 6 and 10.0 is after 6.0); anything else compares as
// text. Returns -1, 0 or 1.
int compare_versions(std::string_view a, std::string_view b);
// A version text against a property converted to text; no order holds
// against Null.
Comparison compare_versions(std::string_view a, const Variant& b, const Locale& locale);
bool is_version_text(std::string_view text);

}  // namespace prestova
