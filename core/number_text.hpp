#pragma once
#include "core/locale.hpp"

#include <string_view>

namespace prestova {

// Text read as a number, as the host reads it under the user's locale:
// - blanks (space, tab, CR, LF, VT, FF) around the whole;
// - "&H" or "&O" (either case) and hexadecimal or octal digits, alone: a
//   16-bit pattern when the value fits in 16 bits ("&H8000" is -32768),
//   else a 32-bit one ("&HFFFFFFFF" is -1); wider is Overflow;
// - otherwise digits with at most one decimal point (the locale's separator
//   or a full stop) and an optional exponent (E, optional sign, digits).
//   The locale's thousands separator may stand between any two digits before
//   the point ("1,0,00" is 1000); one that is a full stop or the decimal
//   separator is a point, as it always was;
// - at most one sign, right before the digits or right after them ("12-";
//   not after an exponent), or instead parentheses around the whole ("(12)"
//   is -12);
// - the locale's currency symbol once, before or after the number, inside
//   the parentheses and on either side of a sign, blanks allowed around it.
// Throws TypeMismatch for anything else, the empty text included.
double parse_number(std::string_view text, const Locale& locale);

}  // namespace prestova
