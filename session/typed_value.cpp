#include "session/typed_value.hpp"

#include "session/page_params.hpp"
#include "core/ansi.hpp"
#include "core/date_text.hpp"
#include "core/exact_number_text.hpp"
#include "core/input_quote.hpp"
#include "core/script_error.hpp"

#include <array>
#include <limits>
#include <optional>

namespace prestova {

namespace {

std::optional<Variant> boolean(std::string_view text)
{
    if (text == "true") return Variant::boolean(true);
    if (text == "false") return Variant::boolean(false);
    return std::nullopt;
}

std::optional<Variant> date(std::string_view text)
{
    if (const auto serial = parse_iso_date(text)) return Variant::date(*serial);
    if (const auto serial = read_exact_number<double>(text)) return Variant::date(*serial);
    return std::nullopt;
}

struct Prefix {
    std::string_view name;
    std::string_view holds;  // for the error text
    std::optional<Variant> (*read)(std::string_view);
};

// One row per type, in the order of the type codes.
constexpr std::array kPrefixes{
    Prefix{"empty", "nothing",
           [](std::string_view t) { return t.empty() ? std::optional<Variant>(Variant()) : std::nullopt; }},
    Prefix{"null", "nothing",
           [](std::string_view t) { return t.empty() ? std::optional<Variant>(Variant::null()) : std::nullopt; }},
    Prefix{"i2", "a whole number from -32768 to 32767",
           [](std::string_view t) {
               auto n = read_exact_number<std::int16_t>(t);
               return n ? std::optional(Variant::integer(*n)) : std::nullopt;
           }},
    Prefix{"i4", "a whole number from -2147483648 to 2147483647",
           [](std::string_view t) {
               auto n = read_exact_number<std::int32_t>(t);
               return n ? std::optional(Variant::long_integer(*n)) : std::nullopt;
           }},
    Prefix{"r4", "a single-precision number",
           [](std::string_view t) {
               auto n = read_exact_number<float>(t);
               return n ? std::optional(Variant::single(*n)) : std::nullopt;
           }},
    Prefix{"r8", "a double-precision number",
           [](std::string_view t) {
               auto n = read_exact_number<double>(t);
               return n ? std::optional(Variant::real(*n)) : std::nullopt;
           }},
    Prefix{"cy", "an amount with at most four decimals",
           [](std::string_view t) {
               auto n = parse_currency(t);
               return n ? std::optional(Variant::currency(*n)) : std::nullopt;
           }},
    Prefix{"date", "YYYY-MM-DD, YYYY-MM-DDTHH:MM[:SS] or a day number", date},
    Prefix{"str", "any text", [](std::string_view t) { return std::optional(Variant(utf8_to_ansi(std::string(t)))); }},
    Prefix{"bool", "true or false", boolean},
    Prefix{"error", "a 32-bit error code",
           [](std::string_view t) {
               auto n = read_exact_number<std::int32_t>(t);
               return n ? std::optional(Variant::error(*n)) : std::nullopt;
           }},
    Prefix{"dec", "a decimal number of up to 29 digits and 28 decimals",
           [](std::string_view t) {
               auto n = parse_decimal(t);
               return n ? std::optional(Variant::decimal(*n)) : std::nullopt;
           }},
    Prefix{"ui1", "a whole number from 0 to 255",
           [](std::string_view t) {
               auto n = read_exact_number<std::uint8_t>(t);
               return n ? std::optional(Variant::byte(*n)) : std::nullopt;
           }},
};

std::string value_text(const Variant& v, const Locale& locale)
{
    switch (v.type()) {
    case Variant::Type::Null: return "Null";
    case Variant::Type::Error: return std::string("Error ").append(std::to_string(v.as_error()));
    case Variant::Type::Single: return exact_number_text(v.as_single());
    case Variant::Type::Double: return exact_number_text(v.as_double());
    case Variant::Type::Date: try { return v.to_text(locale);
        } catch (const ScriptError&) {
            return "day " + exact_number_text(v.as_date());  // beyond the calendar
        }
    default: return ansi_to_utf8(v.to_text(locale));
    }
}

}  // namespace

Variant typed_value(std::string_view text)
{
    const auto colon = text.find(':');
    if (colon != std::string_view::npos) {
        const std::string_view name = text.substr(0, colon);
        const std::string_view body = text.substr(colon + 1);
        for (const Prefix& prefix : kPrefixes) {
            if (prefix.name != name) continue;
            if (auto value = prefix.read(body)) return std::move(*value);
            throw InputError(quote_input(text) + ": " + std::string(prefix.name) + ": takes " +
                             std::string(prefix.holds));
        }
    }
    return Variant(utf8_to_ansi(std::string(text)));
}

std::string shown_value(const Variant& value, const Locale& locale)
{
    return value_text(value, locale) + " (" + Variant::type_name(value.type()) + ")";
}

std::string typed_value_prefixes()
{
    std::string out;
    for (const Prefix& prefix : kPrefixes) {
        if (!out.empty()) out += ' ';
        out += prefix.name;
        out += ':';
    }
    return out;
}

}  // namespace prestova
