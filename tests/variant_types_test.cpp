// Every scalar type a script can store, through each kind of use the checks
// make of a property: a 16-bit whole number (verdicts, colour components),
// a number to divide, a text joined into a caption, a text where one is
// needed, and comparisons with a number and with a text.
#include "core/script_error.hpp"
#include "core/variant.hpp"
#include "script_error_support.hpp"
#include "test_name_support.hpp"

#include <gtest/gtest.h>

#include <string>
#include <variant>

using namespace prestova;
using prestova::testing::error_of;

namespace {

const Locale kUnitedStates{'.', ',', "$", "M/d/yyyy", "h:mm:ss tt"};

Variant cy(std::int64_t ten_thousandths) { return Variant::currency(Currency{ten_thousandths}); }
Variant dec(std::string_view text) { return Variant::decimal(*parse_decimal(text)); }

template <class T>
using Expect = std::variant<T, ErrorCode>;

// A case's description as a test name: letters and digits, the rest '_'.
const auto case_name = [](const auto& info) { return prestova::testing::test_name(info.param.name); };

constexpr ErrorCode kNull = ErrorCode::InvalidUseOfNull;
constexpr ErrorCode kMismatch = ErrorCode::TypeMismatch;
constexpr ErrorCode kOverflow = ErrorCode::Overflow;

template <class T, class F>
void expect(const Expect<T>& wanted, F&& convert, const std::string& what)
{
    if (const ErrorCode* code = std::get_if<ErrorCode>(&wanted)) {
        EXPECT_EQ(error_of([&] { (void)convert(); }), *code) << what;
    } else {
        T got{};
        EXPECT_EQ(error_of([&] { got = convert(); }), std::nullopt) << what;
        EXPECT_EQ(got, std::get<T>(wanted)) << what;
    }
}

struct WholeCase {
    const char* name;
    Variant value;
    Expect<std::int16_t> whole;
};

class Whole : public ::testing::TestWithParam<WholeCase> {};

TEST_P(Whole, SixteenBitsAsTheVerdictsAndColoursTakeThem)
{
    const auto& c = GetParam();
    expect(
        c.whole, [&] { return c.value.to_integer(kUnitedStates); }, c.name);
}

INSTANTIATE_TEST_SUITE_P(
    EveryType, Whole,
    ::testing::Values(WholeCase{"empty", Variant(), std::int16_t{0}}, WholeCase{"null", Variant::null(), kNull},
                      WholeCase{"integer", Variant::integer(-7), std::int16_t{-7}},
                      WholeCase{"long too wide", Variant::long_integer(70000), kOverflow},
                      WholeCase{"single half to even", Variant::single(2.5f), std::int16_t{2}},
                      WholeCase{"double half to even", Variant::real(3.5), std::int16_t{4}},
                      WholeCase{"currency 2.5 to even", cy(25000), std::int16_t{2}},
                      WholeCase{"currency 3.5 to even", cy(35000), std::int16_t{4}},
                      WholeCase{"currency -2.5 to even", cy(-25000), std::int16_t{-2}},
                      WholeCase{"currency just above a half", cy(25001), std::int16_t{3}},
                      WholeCase{"currency 32767.4999", cy(327674999), std::int16_t{32767}},
                      WholeCase{"currency 32767.5 rounds out", cy(327675000), kOverflow},
                      WholeCase{"currency -32768.5 rounds to even", cy(-327685000), std::int16_t{-32768}},
                      WholeCase{"date by its serial", Variant::date(2.5), std::int16_t{2}},
                      WholeCase{"date of 2009 is too wide", Variant::date(40000.5), kOverflow},
                      WholeCase{"text", Variant("1,024"), std::int16_t{1024}},
                      WholeCase{"text in currency", Variant("$5"), std::int16_t{5}},
                      WholeCase{"boolean", Variant::boolean(true), std::int16_t{-1}},
                      WholeCase{"error value", Variant::error(5), kMismatch},
                      WholeCase{"decimal 2.5 to even", dec("2.5"), std::int16_t{2}},
                      WholeCase{"decimal 2.50000000000000000000000001", dec("2.50000000000000000000000001"),
                                std::int16_t{3}},
                      WholeCase{"decimal negative", dec("-640.5"), std::int16_t{-640}},
                      WholeCase{"decimal too wide", dec("79228162514264337593543950335"), kOverflow},
                      WholeCase{"byte", Variant::byte(200), std::int16_t{200}}),
    case_name);

struct NumberCase {
    const char* name;
    Variant value;
    Expect<double> number;
};

class Number : public ::testing::TestWithParam<NumberCase> {};

TEST_P(Number, ANumberToDivide)
{
    const auto& c = GetParam();
    expect(
        c.number, [&] { return c.value.to_double(kUnitedStates); }, c.name);
}

INSTANTIATE_TEST_SUITE_P(EveryType, Number,
                         ::testing::Values(NumberCase{"empty", Variant(), 0.0},
                                           NumberCase{"null", Variant::null(), kNull},
                                           NumberCase{"currency", cy(12345000), 1234.5},
                                           NumberCase{"currency's largest", cy(INT64_MAX), 922337203685477.5807},
                                           NumberCase{"date", Variant::date(40000.5), 40000.5},
                                           NumberCase{"decimal a tenth", dec("0.1"), 0.1},
                                           NumberCase{"decimal of 29 digits", dec("1234567890.1234567890123456789"),
                                                      1234567890.1234567890123456789},
                                           NumberCase{"byte", Variant::byte(255), 255.0},
                                           NumberCase{"single", Variant::single(0.1f), static_cast<double>(0.1f)},
                                           NumberCase{"error value", Variant::error(2001), kMismatch},
                                           NumberCase{"text with a trailing sign", Variant("12-"), -12.0}),
                         case_name);

struct TextCase {
    const char* name;
    Variant value;
    Expect<std::string> joined;  // joined into a caption
    Expect<std::string> needed;  // where a text is needed
};

class Text : public ::testing::TestWithParam<TextCase> {};

TEST_P(Text, JoinedIntoACaptionAndWhereATextIsNeeded)
{
    const auto& c = GetParam();
    expect(
        c.joined, [&] { return c.value.joined_text(kUnitedStates); }, std::string(c.name) + " joined");
    expect(
        c.needed, [&] { return c.value.to_text(kUnitedStates); }, std::string(c.name) + " needed");
}

INSTANTIATE_TEST_SUITE_P(
    EveryType, Text,
    ::testing::Values(TextCase{"empty", Variant(), std::string(), std::string()},
                      TextCase{"null", Variant::null(), std::string(), kNull},
                      TextCase{"integer", Variant::integer(-32768), std::string("-32768"), std::string("-32768")},
                      TextCase{"long", Variant::long_integer(65536), std::string("65536"), std::string("65536")},
                      TextCase{"single", Variant::single(0.1f), std::string("0.1"), std::string("0.1")},
                      TextCase{"double", Variant::real(1e20), std::string("1E+20"), std::string("1E+20")},
                      TextCase{"currency", cy(12345000), std::string("1234.5"), std::string("1234.5")},
                      TextCase{"currency whole", cy(50000), std::string("5"), std::string("5")},
                      TextCase{"currency smallest step", cy(-1), std::string("-0.0001"), std::string("-0.0001")},
                      TextCase{"currency's most negative", cy(INT64_MIN), std::string("-922337203685477.5808"),
                               std::string("-922337203685477.5808")},
                      TextCase{"date and time", Variant::date(40000.5), std::string("7/6/2009 12:00:00 PM"),
                               std::string("7/6/2009 12:00:00 PM")},
                      TextCase{"date alone", Variant::date(40000), std::string("7/6/2009"), std::string("7/6/2009")},
                      TextCase{"time alone", Variant::date(0.75), std::string("6:00:00 PM"), std::string("6:00:00 PM")},
                      TextCase{"date beyond the calendar", Variant::date(3e6), ErrorCode::InvalidArgument,
                               ErrorCode::InvalidArgument},
                      TextCase{"boolean", Variant::boolean(false), std::string("False"), std::string("False")},
                      TextCase{"error value", Variant::error(5), kMismatch, kMismatch},
                      TextCase{"decimal keeps its digits", dec("-1234567890.1234567890123456789"),
                               std::string("-1234567890.1234567890123456789"),
                               std::string("-1234567890.1234567890123456789")},
                      TextCase{"decimal drops trailing zeros", dec("1.500"), std::string("1.5"), std::string("1.5")},
                      TextCase{"decimal negative zero", dec("-0.00"), std::string("0"), std::string("0")},
                      TextCase{"byte", Variant::byte(200), std::string("200"), std::string("200")}),
    case_name);

// A comparison's outcome: less, equal, greater, Null, or the error raised.
enum class Order { Less, Equal, Greater, Null };
using CompareExpect = std::variant<Order, ErrorCode>;

Order order_of(const Comparison& c)
{
    if (c.is_null()) return Order::Null;
    return c.less() ? Order::Less : (c.equal() ? Order::Equal : Order::Greater);
}

struct CompareCase {
    const char* name;
    Variant value;
    CompareExpect against_70000;  // numeric, as the true-colour test
    CompareExpect against_65536;  // textual, as the high-colour test
};

class Compare : public ::testing::TestWithParam<CompareCase> {};

TEST_P(Compare, WithANumberAndWithAText)
{
    const auto& c = GetParam();
    expect(
        c.against_70000, [&] { return order_of(compare_number(c.value, 70000, kUnitedStates)); },
        std::string(c.name) + " against 70000");
    expect(
        c.against_65536, [&] { return order_of(compare_text(c.value, "65536", kUnitedStates)); },
        std::string(c.name) + " against \"65536\"");
}

INSTANTIATE_TEST_SUITE_P(
    EveryType, Compare,
    ::testing::Values(CompareCase{"empty", Variant(), Order::Less, Order::Less},
                      CompareCase{"null", Variant::null(), Order::Null, Order::Null},
                      CompareCase{"long", Variant::long_integer(65536), Order::Less, Order::Equal},
                      CompareCase{"double with a fraction", Variant::real(65536.5), Order::Less, Order::Greater},
                      CompareCase{"currency", cy(655360000), Order::Less, Order::Equal},
                      CompareCase{"currency above", cy(700000001), Order::Greater, Order::Greater},
                      CompareCase{"date by serial and by its text", Variant::date(70000), Order::Equal, Order::Greater},
                      CompareCase{"decimal with trailing zeros", dec("65536.00"), Order::Less, Order::Equal},
                      CompareCase{"text grouped", Variant("70,001"), Order::Greater, Order::Greater},
                      CompareCase{"byte", Variant::byte(255), Order::Less, Order::Less},
                      CompareCase{"error value", Variant::error(5), kMismatch, kMismatch}),
    case_name);

TEST(Comparison, NoTestHoldsForNull)
{
    const Comparison n = Comparison::null();
    EXPECT_FALSE(n.less() || n.less_or_equal() || n.equal() || n.greater_or_equal() || n.greater());
}

TEST(Variant, EveryTypeKeepsTypeAndValueWhenCopied)
{
    const Variant values[] = {Variant(),          Variant::null(),        Variant::integer(1), Variant::long_integer(1),
                              Variant::single(1), Variant::real(1),       cy(10000),           Variant::date(1),
                              Variant("1"),       Variant::boolean(true), Variant::error(1),   dec("1.0"),
                              Variant::byte(1)};
    for (std::size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(static_cast<std::size_t>(values[i].type()), i) << "types in the order of their codes";
        const Variant copy = values[i];
        EXPECT_EQ(copy, values[i]);
        for (std::size_t j = 0; j < std::size(values); ++j)
            if (i != j) { EXPECT_FALSE(values[i] == values[j]) << "the same number in another type is another value"; }
    }
    EXPECT_FALSE(dec("1.5") == dec("1.50")) << "a decimal's scale is kept";
}

}  // namespace
