#pragma once
// The user's regional settings, as far as the control's texts use them.
// A default Locale reads numbers plainly (full stop, no grouping, no
// currency) and shows dates and times as English (United States) does.
#include <string>
#include <string_view>

namespace prestova {

// The date and time pictures of English (United States), Windows' own
// defaults: a machine that names none shows dates and times with these.
inline constexpr std::string_view kUnitedStatesShortDate = "M/d/yyyy";
inline constexpr std::string_view kUnitedStatesTimeFormat = "h:mm:ss tt";

struct Locale {
    char decimal_separator = '.';
    char thousands_separator = '\0';                   // '\0': none
    std::string currency_symbol{};                     // empty: none
    std::string short_date{kUnitedStatesShortDate};    // a date picture, e.g. dd/MM/yyyy
    std::string time_format{kUnitedStatesTimeFormat};  // a time picture, e.g. HH:mm:ss
};

}  // namespace prestova
