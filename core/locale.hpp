#pragma once
// The user's regional number settings, as far as the control's texts use them.

namespace prestova {

struct Locale {
    char decimal_separator = '.';
};

} // namespace prestova
