#include "core/decimal.hpp"

#include <array>
#include <charconv>

namespace prestova {

namespace {

// The 96-bit whole number as three 32-bit limbs, most significant first,
// so it works the same where the compiler has no 128-bit type.
using Limbs = std::array<std::uint32_t, 3>;

Limbs limbs_of(const Decimal& d)
{
    return {d.high, static_cast<std::uint32_t>(d.low >> 32), static_cast<std::uint32_t>(d.low)};
}

bool is_zero(const Limbs& n) { return n[0] == 0 && n[1] == 0 && n[2] == 0; }

// Divides in place; returns the remainder.
std::uint32_t divide(Limbs& n, std::uint32_t divisor)
{
    std::uint64_t rest = 0;
    for (auto& limb : n) {
        const std::uint64_t part = (rest << 32) | limb;
        limb = static_cast<std::uint32_t>(part / divisor);
        rest = part % divisor;
    }
    return static_cast<std::uint32_t>(rest);
}

// n = n * 10 + digit; false when the result leaves 96 bits.
bool multiply_add(Limbs& n, std::uint32_t digit)
{
    std::uint64_t carry = digit;
    for (auto it = n.rbegin(); it != n.rend(); ++it) {
        const std::uint64_t part = std::uint64_t{*it} * 10 + carry;
        *it = static_cast<std::uint32_t>(part);
        carry = part >> 32;
    }
    return carry == 0;
}

std::string digits_of(Limbs n)
{
    if (is_zero(n)) return "0";
    std::string reversed;
    while (!is_zero(n)) reversed += static_cast<char>('0' + divide(n, 10));
    return {reversed.rbegin(), reversed.rend()};
}

// Whole and fraction digits of the exact value, the fraction exactly
// `scale` digits long.
struct Split {
    std::string whole;
    std::string fraction;
};

Split split(const Decimal& d)
{
    std::string digits = digits_of(limbs_of(d));
    if (digits.size() <= d.scale) digits.insert(0, d.scale + 1 - digits.size(), '0');
    const std::size_t point = digits.size() - d.scale;
    return {digits.substr(0, point), digits.substr(point)};
}

std::string exact_text(const Decimal& d, char separator)
{
    Split s = split(d);
    while (!s.fraction.empty() && s.fraction.back() == '0') s.fraction.pop_back();
    std::string out = d.negative && !is_zero(limbs_of(d)) ? "-" : "";
    out += s.whole;
    if (!s.fraction.empty()) {
        out += separator;
        out += s.fraction;
    }
    return out;
}

}  // namespace

double to_double(const Decimal& value)
{
    const std::string text = exact_text(value, '.');
    double result = 0;
    std::from_chars(text.data(), text.data() + text.size(), result);
    return result;
}

std::string decimal_text(const Decimal& value, const Locale& locale)
{
    return exact_text(value, locale.decimal_separator);
}

std::optional<std::int64_t> round_half_even(const Decimal& value)
{
    const Split s = split(value);
    if (s.whole.size() > 19) return std::nullopt;
    std::uint64_t whole = 0;
    for (char c : s.whole) whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
    // Compare the fraction with one half: its first digit, then the rest.
    bool up = false;
    if (!s.fraction.empty()) {
        const bool rest_nonzero = s.fraction.find_first_not_of('0', 1) != std::string::npos;
        const char first = s.fraction[0];
        up = first > '5' || (first == '5' && (rest_nonzero || whole % 2 != 0));
    }
    if (up) ++whole;
    constexpr std::uint64_t max_positive = 9223372036854775807ULL;
    if (whole > max_positive + (value.negative ? 1 : 0)) return std::nullopt;
    return value.negative ? static_cast<std::int64_t>(0 - whole) : static_cast<std::int64_t>(whole);
}

std::optional<Decimal> parse_decimal(std::string_view text)
{
    Decimal d;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        d.negative = text[0] == '-';
        text.remove_prefix(1);
    }
    Limbs n{0, 0, 0};
    bool seen_point = false;
    bool seen_digit = false;
    for (char c : text) {
        if (c == '.' && !seen_point) {
            seen_point = true;
            continue;
        }
        if (c < '0' || c > '9') return std::nullopt;
        seen_digit = true;
        if (!multiply_add(n, static_cast<std::uint32_t>(c - '0'))) return std::nullopt;
        if (seen_point && ++d.scale > kMaxDecimalScale) return std::nullopt;
    }
    if (!seen_digit) return std::nullopt;
    d.high = n[0];
    d.low = (std::uint64_t{n[1]} << 32) | n[2];
    return d;
}

}  // namespace prestova
