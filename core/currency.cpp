#include "core/currency.hpp"

#include <charconv>
#include <cstdlib>
#include <limits>

namespace prestova {

namespace {

constexpr std::int64_t kScale = 10000;

// The exact value as plain decimal text with a full stop, for correctly
// rounded reading back as a double.
std::string exact_text(Currency value, char separator)
{
    const bool negative = value.ten_thousandths < 0;
    // The magnitude as unsigned, so the most negative value has one too.
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value.ten_thousandths)
                                       : static_cast<std::uint64_t>(value.ten_thousandths);
    std::string out = negative ? "-" : "";
    out += std::to_string(magnitude / kScale);
    std::string decimals = std::to_string(magnitude % kScale);
    decimals.insert(0, 4 - decimals.size(), '0');
    while (!decimals.empty() && decimals.back() == '0') decimals.pop_back();
    if (!decimals.empty()) {
        out += separator;
        out += decimals;
    }
    return out;
}

}  // namespace

double to_double(Currency value)
{
    // Below 2^53 both operands are exact and one division rounds once.
    constexpr std::int64_t exact_limit = std::int64_t{1} << 53;
    if (value.ten_thousandths > -exact_limit && value.ten_thousandths < exact_limit)
        return static_cast<double>(value.ten_thousandths) / kScale;
    const std::string text = exact_text(value, '.');
    double result = 0;
    std::from_chars(text.data(), text.data() + text.size(), result);
    return result;
}

std::int64_t round_half_even(Currency value)
{
    const std::int64_t v = value.ten_thousandths;
    std::int64_t whole = v / kScale;       // toward zero
    const std::int64_t rest = v % kScale;  // same sign as v
    const std::int64_t twice = 2 * (rest < 0 ? -rest : rest);
    if (twice > kScale || (twice == kScale && whole % 2 != 0)) whole += v < 0 ? -1 : 1;
    return whole;
}

std::string currency_text(Currency value, const Locale& locale) { return exact_text(value, locale.decimal_separator); }

std::optional<Currency> parse_currency(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view decimals = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() && decimals.empty()) return std::nullopt;
    if (decimals.size() > 4) return std::nullopt;
    std::uint64_t magnitude = 0;
    for (const std::string_view part : {whole, decimals})
        for (char c : part)
            if (c < '0' || c > '9') return std::nullopt;
    constexpr std::uint64_t limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + 1;
    for (char c : whole) {
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
        if (magnitude > limit / kScale) return std::nullopt;
    }
    magnitude *= kScale;
    std::uint64_t fraction = 0;
    for (std::size_t i = 0; i < 4; ++i)
        fraction = fraction * 10 + (i < decimals.size() ? static_cast<std::uint64_t>(decimals[i] - '0') : 0);
    magnitude += fraction;
    if (magnitude > limit || (!negative && magnitude == limit)) return std::nullopt;
    const std::int64_t signed_value =
        negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return Currency{signed_value};
}

}  // namespace prestova
