#include "core/script_error.hpp"
#include "core/variant.hpp"
#include "script_error_support.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

using namespace prestova;

namespace {

const Locale kDot{};
const Locale kComma{','};

using prestova::testing::error_of;

struct IntegerCase {
    Variant value;
    std::optional<std::int16_t> expected;  // nullopt: the conversion fails
    ErrorCode error = ErrorCode::Overflow;
};

class ToInteger : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(ToInteger, RoundsHalvesToEvenAndRefusesWhatDoesNotFit)
{
    const auto& c = GetParam();
    if (c.expected) {
        EXPECT_EQ(c.value.to_integer(kDot), *c.expected);
    } else {
        EXPECT_EQ(error_of([&] { (void)c.value.to_integer(kDot); }), c.error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, ToInteger,
    ::testing::Values(IntegerCase{Variant(), 0}, IntegerCase{Variant("12.5"), 12}, IntegerCase{Variant("13.5"), 14},
                      IntegerCase{Variant("-12.5"), -12}, IntegerCase{Variant("127.5"), 128},
                      IntegerCase{Variant("126.5"), 126}, IntegerCase{Variant(" 64 "), 64},
                      IntegerCase{Variant("64.5"), 64}, IntegerCase{Variant("1e3"), 1000},
                      IntegerCase{Variant("+7"), 7}, IntegerCase{Variant(".5"), 0}, IntegerCase{Variant("1."), 1},
                      IntegerCase{Variant("32767"), 32767}, IntegerCase{Variant("32767.4"), 32767},
                      IntegerCase{Variant("-32768.5"), -32768}, IntegerCase{Variant::real(2.5), 2},
                      IntegerCase{Variant::long_integer(300), 300}, IntegerCase{Variant::boolean(true), -1},
                      IntegerCase{Variant::single(0.5f), 0}, IntegerCase{Variant("32767.5"), std::nullopt},
                      IntegerCase{Variant("32768"), std::nullopt}, IntegerCase{Variant("-32769"), std::nullopt},
                      IntegerCase{Variant::long_integer(70000), std::nullopt},
                      IntegerCase{Variant("1e400"), std::nullopt},
                      IntegerCase{Variant(""), std::nullopt, ErrorCode::TypeMismatch},
                      IntegerCase{Variant("   "), std::nullopt, ErrorCode::TypeMismatch},
                      IntegerCase{Variant("abc"), std::nullopt, ErrorCode::TypeMismatch},
                      IntegerCase{Variant("12abc"), std::nullopt, ErrorCode::TypeMismatch},
                      IntegerCase{Variant("1.2.3"), std::nullopt, ErrorCode::TypeMismatch},
                      IntegerCase{Variant("1e"), std::nullopt, ErrorCode::TypeMismatch},
                      IntegerCase{Variant("-"), std::nullopt, ErrorCode::TypeMismatch}));

TEST(Variant, LongConversionHasItsOwnRange)
{
    EXPECT_EQ(Variant("70000").to_long(kDot), 70000);
    EXPECT_EQ(Variant("2147483647.4").to_long(kDot), 2147483647);
    EXPECT_EQ(error_of([] { (void)Variant("2147483647.5").to_long(kDot); }), ErrorCode::Overflow);
}

TEST(Variant, DecimalSeparatorOfTheLocaleReadsAndWrites)
{
    EXPECT_DOUBLE_EQ(Variant("1,5").to_double(kComma), 1.5);
    EXPECT_DOUBLE_EQ(Variant("1.5").to_double(kComma), 1.5);
    EXPECT_EQ(error_of([] { (void)Variant("1,5").to_double(kDot); }), ErrorCode::TypeMismatch);
    EXPECT_EQ(general_form(1.5, kComma), "1,5");
    EXPECT_EQ(format_0_00(999.5, kComma), "999,50");
    EXPECT_DOUBLE_EQ(parse_number(format_0_00(37.25, kComma), kComma), 37.25);
}

struct SeparatorCase {
    char separator;
    double value;
    const char* fixed;
};

class TwoDecimalsSeparators : public ::testing::TestWithParam<SeparatorCase> {};

// A value that rounds to zero shows no sign, whatever the separator: "ø" is
// one byte (0xF8) in the code page.
TEST_P(TwoDecimalsSeparators, SignAndRounding)
{
    const auto& c = GetParam();
    EXPECT_EQ(format_0_00(c.value, Locale{c.separator}), c.fixed);
}

INSTANTIATE_TEST_SUITE_P(Separators, TwoDecimalsSeparators,
                         ::testing::Values(SeparatorCase{'.', -0.001, "0.00"}, SeparatorCase{',', -0.001, "0,00"},
                                           SeparatorCase{'\xF8', -0.001,
                                                         "0\xF8"
                                                         "00"},
                                           SeparatorCase{'\xF8', -0.004,
                                                         "0\xF8"
                                                         "00"},
                                           SeparatorCase{'\xF8', -0.0,
                                                         "0\xF8"
                                                         "00"},
                                           SeparatorCase{'\xF8', -0.005,
                                                         "-0\xF8"
                                                         "01"},
                                           SeparatorCase{'\xF8', -2.675,
                                                         "-2\xF8"
                                                         "68"},
                                           SeparatorCase{'\xF8', 999.995,
                                                         "1000\xF8"
                                                         "00"},
                                           SeparatorCase{'\'', -0.004, "0'00"}, SeparatorCase{'\'', -0.5, "-0'50"},
                                           SeparatorCase{'0', -0.001, "0000"}, SeparatorCase{'0', -0.01, "-0001"},
                                           SeparatorCase{'-', -0.001, "0-00"},
                                           SeparatorCase{'\xA0', -1.5,
                                                         "-1\xA0"
                                                         "50"},
                                           SeparatorCase{'\xF8', -1e15,
                                                         "-1000000000000000\xF8"
                                                         "00"},
                                           SeparatorCase{'\xF8', -1.5e20,
                                                         "-150000000000000000000\xF8"
                                                         "00"}));

struct FormCase {
    double value;
    const char* general;
    const char* fixed;
};

class NumberForms : public ::testing::TestWithParam<FormCase> {};

TEST_P(NumberForms, GeneralFormAndTwoDecimals)
{
    const auto& c = GetParam();
    EXPECT_EQ(general_form(c.value, kDot), c.general);
    EXPECT_EQ(format_0_00(c.value, kDot), c.fixed);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, NumberForms,
    ::testing::Values(FormCase{0, "0", "0.00"}, FormCase{1, "1", "1.00"}, FormCase{1.024, "1.024", "1.02"},
                      FormCase{2.048, "2.048", "2.05"}, FormCase{0.633, "0.633", "0.63"}, FormCase{2, "2", "2.00"},
                      FormCase{999.5, "999.5", "999.50"}, FormCase{999.995, "999.995", "1000.00"},
                      FormCase{2.675, "2.675", "2.68"}, FormCase{1.125, "1.125", "1.13"},
                      FormCase{0.004, "0.004", "0.00"}, FormCase{0.005, "0.005", "0.01"},
                      FormCase{0.0001, "0.0001", "0.00"}, FormCase{0.00001, "1E-05", "0.00"},
                      FormCase{37.2529296875, "37.2529296875", "37.25"}, FormCase{-1.5, "-1.5", "-1.50"},
                      FormCase{123456789012345.0, "123456789012345", "123456789012345.00"},
                      FormCase{1e15, "1E+15", "1000000000000000.00"},
                      FormCase{1.5e20, "1.5E+20", "150000000000000000000.00"}, FormCase{0.1 + 0.2, "0.3", "0.30"}));

TEST(Variant, SingleFormKeepsSevenDigits)
{
    EXPECT_EQ(general_form(65536.0f, kDot), "65536");
    EXPECT_EQ(general_form(32768.0f, kDot), "32768");
    EXPECT_EQ(general_form(4294967296.0f, kDot), "4.294967E+09");
    EXPECT_EQ(general_form(16777216.0f, kDot), "1.677722E+07");
    EXPECT_EQ(Variant::single(256.0f).to_text(kDot), "256");
}

TEST(Variant, TextOfEachType)
{
    EXPECT_EQ(Variant().to_text(kDot), "");
    EXPECT_EQ(Variant::integer(-5).to_text(kDot), "-5");
    EXPECT_EQ(Variant::long_integer(70000).to_text(kDot), "70000");
    EXPECT_EQ(Variant::real(1.5).to_text(kComma), "1,5");
    EXPECT_EQ(Variant::boolean(true).to_text(kDot), "True");
    EXPECT_EQ(Variant(" 65536.0 ").to_text(kDot), " 65536.0 ");
}

struct TextOrder {
    const char* a;
    const char* b;
    int expected;
};

class TextComparison : public ::testing::TestWithParam<TextOrder> {};

TEST_P(TextComparison, ComparesCharacterCodes)
{
    EXPECT_EQ(compare_text(GetParam().a, GetParam().b), GetParam().expected);
    EXPECT_EQ(compare_text(GetParam().b, GetParam().a), -GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Orders, TextComparison,
                         ::testing::Values(TextOrder{"10.0", "5.5", -1}, TextOrder{"1000", "512", -1},
                                           TextOrder{"6.0", "6.0", 0}, TextOrder{"6.0.12.1040", "6.0", 1},
                                           TextOrder{"", "No", -1}, TextOrder{"No", "1.6", 1}, TextOrder{"a", "B", 1},
                                           TextOrder{"\xE9", "z", 1}));

TEST(Variant, NumericComparisonConvertsTextAndTreatsEmptyAsZero)
{
    EXPECT_EQ(compare_number(Variant("70001"), 70000, kDot).order(), 1);
    EXPECT_EQ(compare_number(Variant(), 0, kDot).order(), 0);
    EXPECT_EQ(compare_number(Variant("65536.0"), 65536, kDot).order(), 0);
    EXPECT_EQ(error_of([] { (void)compare_number(Variant(""), 1, kDot); }), ErrorCode::TypeMismatch);
}

TEST(Variant, RoundHalfEven)
{
    const std::pair<double, double> cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2}, {-0.5, 0},
                                               {-1.5, -2}, {2.4999, 2}, {2.51, 3}};
    for (const auto& [in, out] : cases) EXPECT_EQ(round_half_even(in), out) << in;
}

}  // namespace
