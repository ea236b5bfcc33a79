#pragma once
// The automation Decimal: a 96-bit whole number, a sign and a power of ten
// (0 to 28) dividing it. The scale is part of the value as stored: 1.50
// (150, scale 2) and 1.5 (15, scale 1) are equal numbers but not the same
// stored value, and a round trip keeps the one it was given.
#include "core/locale.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace prestova {

struct Decimal {
    std::uint32_t high = 0;  // bits 64 to 95 of the whole number
    std::uint64_t low = 0;   // bits 0 to 63
    std::uint8_t scale = 0;  // 0 to 28
    bool negative = false;
    bool operator==(const Decimal&) const = default;
};

constexpr std::uint8_t kMaxDecimalScale = 28;

// The nearest double (correctly rounded).
double to_double(const Decimal& value);

// The exact value as the runtime shows it: the digits, trailing decimal
// zeros dropped, the locale's separator; no sign on zero.
std::string decimal_text(const Decimal& value, const Locale& locale);

// The whole number nearest the exact value, halves to the even neighbour;
// nullopt beyond 64 bits.
std::optional<std::int64_t> round_half_even(const Decimal& value);

// A plain decimal text ("-12.50": digits, at most one full stop, up to 29
// digits and 28 decimals) with its scale as written; nullopt otherwise.
std::optional<Decimal> parse_decimal(std::string_view text);

}  // namespace prestova
