#include "core/variant.hpp"

#include "core/date_text.hpp"
#include "core/script_error.hpp"

#include <cfloat>
#include <cerrno>
#include <cstdlib>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

namespace prestova {

namespace {

[[noreturn]] void overflow(double value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", value);
    throw ScriptError(ErrorCode::Overflow, std::string("Overflow: ") + buf + " does not fit");
}

// Decimal digits and exponent of a value at a given number of significant
// digits: value = d0.d1d2... x 10^exponent.
struct DecimalDigits {
    std::string digits;
    int exponent = 0;
};

DecimalDigits decimal_digits(double magnitude, int significant)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", significant - 1, magnitude);
    DecimalDigits d;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') d.digits.push_back(*p);
    if (*p == 'e') d.exponent = std::atoi(p + 1);
    return d;
}

std::string general(double value, int significant, const Locale& locale)
{
    if (value == 0) return "0";
    std::string out = value < 0 ? "-" : "";
    DecimalDigits d = decimal_digits(std::fabs(value), significant);
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    const int exp = d.exponent;
    const int n = static_cast<int>(d.digits.size());
    if (exp >= significant || exp <= -5) {
        out += d.digits[0];
        if (n > 1) {
            out += locale.decimal_separator;
            out.append(d.digits, 1);
        }
        char ebuf[16];
        std::snprintf(ebuf, sizeof ebuf, "E%c%02d", exp < 0 ? '-' : '+', std::abs(exp));
        return out + ebuf;
    }
    if (exp >= 0) {
        for (int i = 0; i <= exp; ++i) out += i < n ? d.digits[i] : '0';
        if (n > exp + 1) {
            out += locale.decimal_separator;
            out.append(d.digits, exp + 1);
        }
    } else {
        out += '0';
        out += locale.decimal_separator;
        out.append(static_cast<std::size_t>(-exp - 1), '0');
        out += d.digits;
    }
    return out;
}

}  // namespace

double round_half_even(double value)
{
    double r = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5) r = 2.0 * std::round(value / 2.0);
    return r;
}

std::int16_t to_int16(double value)
{
    if (std::isnan(value)) overflow(value);
    double r = round_half_even(value);
    if (r < -32768.0 || r > 32767.0) overflow(value);
    return static_cast<std::int16_t>(r);
}

std::int32_t to_int32(double value)
{
    if (std::isnan(value)) overflow(value);
    double r = round_half_even(value);
    if (r < -2147483648.0 || r > 2147483647.0) overflow(value);
    return static_cast<std::int32_t>(r);
}

std::string general_form(double value, const Locale& locale) { return general(value, 15, locale); }
std::string general_form(float value, const Locale& locale) { return general(value, 7, locale); }

std::string format_0_00(double value, const Locale& locale)
{
    const bool negative = value < 0;
    const double magnitude = std::fabs(value);
    std::string body;
    if (!std::isfinite(magnitude) || magnitude >= 1e15) {
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.2f", magnitude);
        body = buf;
        if (const auto point = body.find('.'); point != std::string::npos) body[point] = locale.decimal_separator;
    } else {
        // Round the value as the host shows it (15 significant digits),
        // so 2.675 gives 2.68 although its binary form lies just below.
        DecimalDigits d = decimal_digits(magnitude, 15);
        const int count = d.exponent + 3;  // digits of magnitude x 100 before its point
        std::uint64_t hundredths = 0;
        for (int i = 0; i < count; ++i)
            hundredths = hundredths * 10 + (i < 15 ? static_cast<std::uint64_t>(d.digits[i] - '0') : 0);
        if (count >= 0 && count < 15 && d.digits[count] >= '5') ++hundredths;
        char buf[64];
        std::snprintf(buf, sizeof buf, "%llu%c%02llu", static_cast<unsigned long long>(hundredths / 100),
                      locale.decimal_separator, static_cast<unsigned long long>(hundredths % 100));
        body = buf;
    }
    // No sign on a value that rounds to zero, whatever the separator is.
    const bool rounds_to_zero = std::isfinite(magnitude) && body.find_first_of("123456789") == std::string::npos;
    return (negative && !rounds_to_zero ? "-" : "") + body;
}

namespace {

[[noreturn]] void invalid_use_of_null() { throw ScriptError(ErrorCode::InvalidUseOfNull, "Invalid use of Null"); }

[[noreturn]] void error_value_mismatch(std::int32_t code, const char* wanted)
{
    throw ScriptError(
        ErrorCode::TypeMismatch,
        std::string("Type mismatch: the Error value ").append(std::to_string(code)).append(" has no ").append(wanted));
}

[[noreturn]] void exact_overflow(const std::string& text)
{
    throw ScriptError(ErrorCode::Overflow, std::string("Overflow: ").append(text).append(" does not fit"));
}

// The whole number nearest a Currency or Decimal, from its exact value.
template <class Whole>
Whole exact_whole(const Variant& v, const Locale& locale)
{
    std::optional<std::int64_t> n;
    if (v.type() == Variant::Type::Currency) n = round_half_even(v.as_currency());
    else n = round_half_even(v.as_decimal());
    if (!n || *n < std::numeric_limits<Whole>::min() || *n > std::numeric_limits<Whole>::max())
        exact_overflow(v.to_text(locale));
    return static_cast<Whole>(*n);
}

bool is_exact_type(Variant::Type t) { return t == Variant::Type::Currency || t == Variant::Type::Decimal; }

}  // namespace

Comparison compare_number(const Variant& value, double number, const Locale& locale)
{
    if (value.is_null()) return Comparison::null();
    const double v = value.to_double(locale);
    return Comparison::of(v < number ? -1 : (v > number ? 1 : 0));
}

Comparison compare_text(const Variant& value, std::string_view text, const Locale& locale)
{
    if (value.is_null()) return Comparison::null();
    return Comparison::of(compare_text(value.to_text(locale), text));
}

int compare_text(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

double Variant::to_double(const Locale& locale) const
{
    switch (type()) {
    case Type::Empty: return 0;
    case Type::Null: invalid_use_of_null();
    case Type::Integer: return as_integer();
    case Type::Long: return as_long();
    case Type::Single: return as_single();
    case Type::Double: return as_double();
    case Type::Currency: return prestova::to_double(as_currency());
    case Type::Date: return as_date();
    case Type::Text: return parse_number(text(), locale);
    case Type::Boolean: return as_boolean() ? -1 : 0;
    case Type::Error: error_value_mismatch(as_error(), "number");
    case Type::Decimal: return prestova::to_double(as_decimal());
    case Type::Byte: return as_byte();
    }
    return 0;
}

float Variant::to_single(const Locale& locale) const
{
    double v = to_double(locale);
    if (std::isfinite(v) && std::fabs(v) > FLT_MAX) overflow(v);
    return static_cast<float>(v);
}

std::int16_t Variant::to_integer(const Locale& locale) const
{
    if (type() == Type::Integer) return as_integer();
    if (type() == Type::Byte) return as_byte();
    if (is_exact_type(type())) return exact_whole<std::int16_t>(*this, locale);
    return to_int16(to_double(locale));
}

std::int32_t Variant::to_long(const Locale& locale) const
{
    if (type() == Type::Long) return as_long();
    if (type() == Type::Byte) return as_byte();
    if (is_exact_type(type())) return exact_whole<std::int32_t>(*this, locale);
    return to_int32(to_double(locale));
}

std::uint8_t Variant::to_byte(const Locale& locale) const
{
    if (type() == Type::Byte) return as_byte();
    if (is_exact_type(type())) return exact_whole<std::uint8_t>(*this, locale);
    const double d = to_double(locale);
    const double r = round_half_even(d);
    if (!(r >= 0 && r <= 255)) overflow(d);
    return static_cast<std::uint8_t>(r);
}

std::string Variant::to_text(const Locale& locale) const
{
    switch (type()) {
    case Type::Empty: return "";
    case Type::Null: invalid_use_of_null();
    case Type::Integer: return std::to_string(as_integer());
    case Type::Long: return std::to_string(as_long());
    case Type::Single: return general_form(as_single(), locale);
    case Type::Double: return general_form(as_double(), locale);
    case Type::Currency: return currency_text(as_currency(), locale);
    case Type::Date: return date_text(as_date(), locale);
    case Type::Text: return text();
    case Type::Boolean: return as_boolean() ? "True" : "False";
    case Type::Error: error_value_mismatch(as_error(), "text");
    case Type::Decimal: return decimal_text(as_decimal(), locale);
    case Type::Byte: return std::to_string(as_byte());
    }
    return "";
}

std::string Variant::joined_text(const Locale& locale) const { return is_null() ? std::string() : to_text(locale); }

const char* Variant::type_name(Type type)
{
    switch (type) {
    case Type::Empty: return "Empty";
    case Type::Null: return "Null";
    case Type::Integer: return "Integer";
    case Type::Long: return "Long";
    case Type::Single: return "Single";
    case Type::Double: return "Double";
    case Type::Currency: return "Currency";
    case Type::Date: return "Date";
    case Type::Text: return "String";
    case Type::Boolean: return "Boolean";
    case Type::Error: return "Error";
    case Type::Decimal: return "Decimal";
    case Type::Byte: return "Byte";
    }
    return "?";
}

}  // namespace prestova
