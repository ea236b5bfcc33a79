#pragma once
// The property value: any scalar an automation client can store. Each is
// kept exactly as given (type and value) and converted only where it is
// used, by the scripting runtime's rules:
// - whole numbers round halves to even and overflow is an error;
// - text converts to a number only when it reads as one;
// - Null is "Invalid use of Null" where a number or a text is needed, the
//   empty text where it is joined into a text, and no comparison with it
//   holds;
// - a Date is its serial number (days since 1899-12-30) against numbers and
//   the locale's short date and time as text;
// - Currency and Decimal convert from their exact values;
// - an Error value converts to nothing (Type mismatch).
#include "core/currency.hpp"
#include "core/decimal.hpp"
#include "core/locale.hpp"
#include "core/number_text.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace prestova {

class Variant {
public:
    // In the order of the automation type codes.
    enum class Type { Empty, Null, Integer, Long, Single, Double, Currency, Date, Text, Boolean, Error, Decimal, Byte };

    Variant() = default;
    Variant(const char* text) : value_(std::in_place_type<std::string>, text) {}
    Variant(std::string text) : value_(std::in_place_type<std::string>, std::move(text)) {}
    Variant(std::string_view text) : value_(std::in_place_type<std::string>, text) {}

    static Variant null() { return Variant(Storage(std::in_place_type<NullValue>)); }
    static Variant integer(std::int16_t v) { return Variant(Storage(std::in_place_type<std::int16_t>, v)); }
    static Variant long_integer(std::int32_t v) { return Variant(Storage(std::in_place_type<std::int32_t>, v)); }
    static Variant single(float v) { return Variant(Storage(std::in_place_type<float>, v)); }
    static Variant real(double v) { return Variant(Storage(std::in_place_type<double>, v)); }
    static Variant currency(Currency v) { return Variant(Storage(std::in_place_type<Currency>, v)); }
    static Variant date(double serial) { return Variant(Storage(std::in_place_type<DateValue>, DateValue{serial})); }
    static Variant boolean(bool v) { return Variant(Storage(std::in_place_type<bool>, v)); }
    static Variant error(std::int32_t code)
    {
        return Variant(Storage(std::in_place_type<ErrorValue>, ErrorValue{code}));
    }
    static Variant decimal(Decimal v) { return Variant(Storage(std::in_place_type<Decimal>, v)); }
    static Variant byte(std::uint8_t v) { return Variant(Storage(std::in_place_type<std::uint8_t>, v)); }

    Type type() const { return static_cast<Type>(value_.index()); }
    bool is_empty() const { return type() == Type::Empty; }
    bool is_null() const { return type() == Type::Null; }
    bool is_text() const { return type() == Type::Text; }

    // The stored value itself; only valid for the matching type.
    const std::string& text() const { return std::get<std::string>(value_); }
    std::int16_t as_integer() const { return std::get<std::int16_t>(value_); }
    std::int32_t as_long() const { return std::get<std::int32_t>(value_); }
    float as_single() const { return std::get<float>(value_); }
    double as_double() const { return std::get<double>(value_); }
    Currency as_currency() const { return std::get<Currency>(value_); }
    double as_date() const { return std::get<DateValue>(value_).serial; }
    bool as_boolean() const { return std::get<bool>(value_); }
    std::int32_t as_error() const { return std::get<ErrorValue>(value_).code; }
    const Decimal& as_decimal() const { return std::get<Decimal>(value_); }
    std::uint8_t as_byte() const { return std::get<std::uint8_t>(value_); }

    // Conversions where a number or a text is needed; each throws
    // ScriptError (TypeMismatch, Overflow, InvalidUseOfNull) as the runtime
    // would. Empty converts to 0 and to the empty text.
    double to_double(const Locale& locale) const;
    float to_single(const Locale& locale) const;
    std::int16_t to_integer(const Locale& locale) const;
    std::int32_t to_long(const Locale& locale) const;
    std::uint8_t to_byte(const Locale& locale) const;
    std::string to_text(const Locale& locale) const;
    // The text this value adds when joined into a longer text: as to_text,
    // except that Null adds nothing.
    std::string joined_text(const Locale& locale) const;

    // Exact equality of type and value (for tests and round-trips).
    bool operator==(const Variant& other) const = default;

    // Name of the type as a page's script would see it ("String", "Integer"...).
    static const char* type_name(Type type);

private:
    struct NullValue {
        bool operator==(const NullValue&) const = default;
    };
    struct DateValue {
        double serial;
        bool operator==(const DateValue&) const = default;
    };
    struct ErrorValue {
        std::int32_t code;
        bool operator==(const ErrorValue&) const = default;
    };
    // Alternatives in the order of Type.
    using Storage = std::variant<std::monostate, NullValue, std::int16_t, std::int32_t, float, double, Currency,
                                 DateValue, std::string, bool, ErrorValue, Decimal, std::uint8_t>;
    explicit Variant(Storage s) : value_(std::move(s)) {}
    Storage value_;
};

// The outcome of a comparison as the runtime gives it: an order, or Null
// when one side is Null. A Null outcome makes neither the comparison nor its
// negation true, so every test below is false for it.
class Comparison {
public:
    static Comparison of(int order) { return Comparison(order < 0 ? -1 : (order > 0 ? 1 : 0), false); }
    static Comparison null() { return Comparison(0, true); }

    bool is_null() const { return null_; }
    bool less() const { return !null_ && order_ < 0; }
    bool less_or_equal() const { return !null_ && order_ <= 0; }
    bool equal() const { return !null_ && order_ == 0; }
    bool greater_or_equal() const { return !null_ && order_ >= 0; }
    bool greater() const { return !null_ && order_ > 0; }
    // -1, 0 or 1; 0 for a Null outcome.
    int order() const { return order_; }

private:
    Comparison(int order, bool null) : order_(order), null_(null) {}
    int order_;
    bool null_;
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

// A value against a number: the value converted to a number (TypeMismatch
// when it cannot be); Null gives the Null outcome.
Comparison compare_number(const Variant& value, double number, const Locale& locale);
// A value against a text: the value converted to text; Null gives the Null
// outcome.
Comparison compare_text(const Variant& value, std::string_view text, const Locale& locale);
// Text against text compares character codes, a proper prefix sorting first.
int compare_text(std::string_view a, std::string_view b);

}  // namespace prestova
