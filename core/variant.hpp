#pragma once
// The property value: empty, text, 16-bit or 32-bit whole number, single or
// double precision number, or Boolean. Conversions follow the scripting
// host's rules: whole numbers round halves to even and overflow is an error,
// text converts to a number only when it reads as one.
#include "core/locale.hpp"
#include "core/number_text.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace prestova {

class Variant {
public:
    enum class Type { Empty, Integer, Long, Single, Double, Boolean, Text };

    Variant() = default;
    Variant(const char* text) : value_(std::string(text)) {}
    Variant(std::string text) : value_(std::move(text)) {}
    Variant(std::string_view text) : value_(std::string(text)) {}

    static Variant integer(std::int16_t v) { return Variant(Storage(v)); }
    static Variant long_integer(std::int32_t v) { return Variant(Storage(v)); }
    static Variant single(float v) { return Variant(Storage(v)); }
    static Variant real(double v) { return Variant(Storage(v)); }
    static Variant boolean(bool v) { return Variant(Storage(v)); }

    Type type() const { return static_cast<Type>(value_.index()); }
    bool is_empty() const { return type() == Type::Empty; }
    bool is_text() const { return type() == Type::Text; }
    bool is_numeric() const { return !is_empty() && !is_text(); }

    // The stored value itself; only valid for the matching type.
    const std::string& text() const { return std::get<std::string>(value_); }
    std::int16_t as_integer() const { return std::get<std::int16_t>(value_); }
    std::int32_t as_long() const { return std::get<std::int32_t>(value_); }
    float as_single() const { return std::get<float>(value_); }
    double as_double() const { return std::get<double>(value_); }
    bool as_boolean() const { return std::get<bool>(value_); }

    // Conversions; each throws ScriptError (TypeMismatch, Overflow) as the
    // host would. Empty converts to 0 and to the empty text.
    double to_double(const Locale& locale) const;
    float to_single(const Locale& locale) const;
    std::int16_t to_integer(const Locale& locale) const;
    std::int32_t to_long(const Locale& locale) const;
    std::string to_text(const Locale& locale) const;

    // Exact equality of type and value (for tests and round-trips).
    bool operator==(const Variant& other) const = default;

    // Name of the type as a page's script would see it ("String", "Integer"...).
    static const char* type_name(Type type);

private:
    using Storage = std::variant<std::monostate, std::int16_t, std::int32_t, float, double, bool, std::string>;
    explicit Variant(Storage s) : value_(std::move(s)) {}
    Storage value_;
};

// Rounding to a whole number, halves to the even neighbour.
double round_half_even(double value);

// Whole-number conversions of a double, with the host's overflow rule.
std::int16_t to_int16(double value);
std::int32_t to_int32(double value);

// General number form: up to 15 significant digits (7 for single precision),
// trailing zeros dropped, exponent form for very large or small magnitudes.
std::string general_form(double value, const Locale& locale);
std::string general_form(float value, const Locale& locale);

// The "0.00" pattern: at least one integer digit, exactly two decimals
// rounded half away from zero, no grouping, the locale's separator.
std::string format_0_00(double value, const Locale& locale);

// Comparisons, -1, 0 or 1. A value against a number converts it to a number
// (TypeMismatch when it cannot be); text against text compares character
// codes, a proper prefix sorting first.
int compare_number(const Variant& value, double number, const Locale& locale);
int compare_text(std::string_view a, std::string_view b);

} // namespace prestova
