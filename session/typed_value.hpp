#pragma once
// Values typed on the command line, so every property and argument can be
// given any type a page's script could store: a type prefix and the value
// ("i2:5", "cy:1234.5", "date:2009-07-04", "null:"). Text with no prefix,
// or with one that names no type, is a String; "str:" forces one.
#include "core/locale.hpp"
#include "core/variant.hpp"

#include <string>
#include <string_view>

namespace prestova {

// Reads a UTF-8 command-line value (a String keeps its text in the ANSI
// code page). Throws InputError for a known prefix with a value that its
// type cannot hold.
Variant typed_value(std::string_view text);

// A value and its type for the user, in UTF-8: "5 (Integer)", "Null (Null)".
// Singles and Doubles are in their shortest form that reads back exactly.
std::string shown_value(const Variant& value, const Locale& locale);

// The prefixes, for help and error texts.
std::string typed_value_prefixes();

}  // namespace prestova
