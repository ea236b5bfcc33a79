#pragma once
// The user's regional number settings, as far as the control's texts use them.
// A default Locale is the plain one: full stop, no grouping, no currency.
#include <string>

namespace prestova {

struct Locale {
    char decimal_separator = '.';
    char thousands_separator = '\0';  // '\0': none
    std::string currency_symbol{};    // empty: none
};

} // namespace prestova
