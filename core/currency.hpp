#pragma once
// The automation Currency: a 64-bit count of ten-thousandths, so four
// decimals are exact and sums of money never pick up binary fractions.
#include "core/locale.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace prestova {

struct Currency {
    std::int64_t ten_thousandths = 0;
    bool operator==(const Currency&) const = default;
};

// The nearest double (correctly rounded, also beyond 2^53 ten-thousandths).
double to_double(Currency value);

// The whole number nearest the exact value, halves to the even neighbour.
std::int64_t round_half_even(Currency value);

// As the runtime shows it: up to four decimals, trailing zeros dropped,
// no grouping, the locale's decimal separator ("1234.5", "-0.0001").
std::string currency_text(Currency value, const Locale& locale);

// A plain decimal text ("-1234.5", at most four decimals, a full stop as the
// point) as a Currency; nullopt when it is not one or does not fit.
std::optional<Currency> parse_currency(std::string_view text);

}  // namespace prestova
