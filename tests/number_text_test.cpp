// Text read as a number the way the host reads it under the user's locale:
// hexadecimal and octal, a trailing sign or parentheses, the currency symbol,
// thousands grouping and line-break blanks, and what stays refused.
#include "core/script_error.hpp"
#include "core/variant.hpp"
#include "script_error_support.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

using namespace prestova;

namespace {

const Locale kPlain{};
const Locale kUnitedStates{'.', ',', "$"};
const Locale kGermany{',', '.', "\x80"};      // the euro sign in the code page
const Locale kFrance{',', '\xA0', "\x80"};    // a no-break space groups
const Locale kSwitzerland{'.', '\'', "Fr."};  // the symbol ends in a full stop

struct NumberCase {
    const char* text;
    const Locale* locale;
    std::optional<double> value;  // nullopt: refused
    ErrorCode error = ErrorCode::TypeMismatch;
};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

using prestova::testing::error_of;

class TextToNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(TextToNumber, ReadsAsTheHostReadsIt)
{
    const auto& c = GetParam();
    if (c.value) {
        EXPECT_DOUBLE_EQ(parse_number(c.text, *c.locale), *c.value);
    } else {
        EXPECT_EQ(error_of([&] { (void)parse_number(c.text, *c.locale); }), c.error);
    }
}

constexpr auto kOverflow = ErrorCode::Overflow;
const auto us = &kUnitedStates;

INSTANTIATE_TEST_SUITE_P(
    HexadecimalAndOctal, TextToNumber,
    ::testing::Values(
        // A 16-bit pattern while the value fits in 16 bits, else a 32-bit one.
        NumberCase{"&H1F", us, 31}, NumberCase{"&h1f", us, 31}, NumberCase{"&O17", us, 15}, NumberCase{"&o17", us, 15},
        NumberCase{"&H1E", us, 30}, NumberCase{"&H7FFF", us, 32767}, NumberCase{"&H8000", us, -32768},
        NumberCase{"&HFFFF", us, -1}, NumberCase{"&H0000FFFF", us, -1}, NumberCase{"&H10000", us, 65536},
        NumberCase{"&H7FFFFFFF", us, 2147483647}, NumberCase{"&H80000000", us, -2147483648.0},
        NumberCase{"&HFFFFFFFF", us, -1}, NumberCase{"&H000000000000000000001", us, 1}, NumberCase{"&O177777", us, -1},
        NumberCase{"&O100000", us, -32768}, NumberCase{"&O37777777777", us, -1}, NumberCase{"&H0", us, 0},
        NumberCase{" &H1F\r\n", us, 31}, NumberCase{"&H10", &kPlain, 16},
        NumberCase{"&H100000000", us, std::nullopt, kOverflow},
        NumberCase{"&O40000000000", us, std::nullopt, kOverflow},
        NumberCase{"&HFFFFFFFFFFFFFFFFFFFF", us, std::nullopt, kOverflow},
        // A bad digit after too many is still no number.
        NumberCase{"&HFFFFFFFFFG", us, std::nullopt},
        // Nothing may stand beside the digits.
        NumberCase{"&H", us, std::nullopt}, NumberCase{"&O", us, std::nullopt}, NumberCase{"&", us, std::nullopt},
        NumberCase{"&H1G", us, std::nullopt}, NumberCase{"&O8", us, std::nullopt}, NumberCase{"&B1", us, std::nullopt},
        NumberCase{"&17", us, std::nullopt}, NumberCase{"-&H1", us, std::nullopt}, NumberCase{"&H-1", us, std::nullopt},
        NumberCase{"&H1-", us, std::nullopt}, NumberCase{"&H 1", us, std::nullopt},
        NumberCase{"& H1", us, std::nullopt}, NumberCase{"(&H1)", us, std::nullopt},
        NumberCase{"$&H1", us, std::nullopt}, NumberCase{"&H1$", us, std::nullopt},
        NumberCase{"&H1.5", us, std::nullopt}, NumberCase{"&H1,000", us, std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    SignsAfterAndParentheses, TextToNumber,
    ::testing::Values(NumberCase{"12-", us, -12}, NumberCase{"12+", us, 12}, NumberCase{"(12)", us, -12},
                      NumberCase{"1.5-", us, -1.5}, NumberCase{"(1.5)", us, -1.5}, NumberCase{"(1e2)", us, -100},
                      NumberCase{" (12) ", us, -12}, NumberCase{"12-\t", us, -12}, NumberCase{"12-", &kPlain, -12},
                      NumberCase{"(12)", &kPlain, -12}, NumberCase{"(0)", us, 0},
                      // One sign at most, and parentheses take none.
                      NumberCase{"-12-", us, std::nullopt}, NumberCase{"+12+", us, std::nullopt},
                      NumberCase{"-12+", us, std::nullopt}, NumberCase{"12--", us, std::nullopt},
                      NumberCase{"(-12)", us, std::nullopt}, NumberCase{"(12-)", us, std::nullopt},
                      NumberCase{"-(12)", us, std::nullopt}, NumberCase{"((12))", us, std::nullopt},
                      // Both parentheses, tight around the number.
                      NumberCase{"(12", us, std::nullopt}, NumberCase{"12)", us, std::nullopt},
                      NumberCase{"()", us, std::nullopt}, NumberCase{"(", us, std::nullopt},
                      NumberCase{"( 12)", us, std::nullopt}, NumberCase{"(12 )", us, std::nullopt},
                      // A sign stays next to the digits; after an exponent it is refused.
                      NumberCase{"12 -", us, std::nullopt}, NumberCase{"- 12", us, std::nullopt},
                      NumberCase{"1e2-", us, std::nullopt}, NumberCase{"1e-2-", us, std::nullopt},
                      NumberCase{"-", us, std::nullopt}, NumberCase{"+", us, std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    CurrencySymbol, TextToNumber,
    ::testing::Values(NumberCase{"$5", us, 5}, NumberCase{"5$", us, 5}, NumberCase{"$ 5", us, 5},
                      NumberCase{"5 $", us, 5}, NumberCase{" $5 ", us, 5}, NumberCase{"$\n5", us, 5},
                      NumberCase{"-$5", us, -5}, NumberCase{"$-5", us, -5}, NumberCase{"- $5", us, -5},
                      NumberCase{"$5-", us, -5}, NumberCase{"5$-", us, -5}, NumberCase{"5-$", us, -5},
                      NumberCase{"($5)", us, -5}, NumberCase{"(5 $)", us, -5}, NumberCase{"$1,000.50", us, 1000.5},
                      NumberCase{"$.5", us, 0.5}, NumberCase{"$1e3", us, 1000},
                      NumberCase{"\x80"
                                 "5",
                                 &kGermany, 5},
                      NumberCase{"5 \x80", &kGermany, 5}, NumberCase{"1,5 \x80", &kGermany, 1.5},
                      NumberCase{"Fr. 5", &kSwitzerland, 5}, NumberCase{"Fr.5", &kSwitzerland, 5},
                      NumberCase{"5 Fr.", &kSwitzerland, 5}, NumberCase{"-5Fr.", &kSwitzerland, -5},
                      // Once, outside a sign's place between it and the digits, and only the locale's.
                      NumberCase{"$", us, std::nullopt}, NumberCase{"$$5", us, std::nullopt},
                      NumberCase{"$5$", us, std::nullopt}, NumberCase{"$(5)", us, std::nullopt},
                      NumberCase{"(5)$", us, std::nullopt}, NumberCase{"$ - 5", us, std::nullopt},
                      NumberCase{"5 $ $", us, std::nullopt}, NumberCase{"USD5", us, std::nullopt},
                      NumberCase{"\x80"
                                 "5",
                                 us, std::nullopt},
                      NumberCase{"$5", &kGermany, std::nullopt}, NumberCase{"$5", &kPlain, std::nullopt},
                      NumberCase{"Fr5", &kSwitzerland, std::nullopt}));

INSTANTIATE_TEST_SUITE_P(ThousandsSeparator, TextToNumber,
                         ::testing::Values(
                             // Anywhere between two digits before the decimal point.
                             NumberCase{"1,000", us, 1000}, NumberCase{"1,0,00", us, 1000},
                             NumberCase{"12,34", us, 1234}, NumberCase{"1,000,000.5", us, 1000000.5},
                             NumberCase{"0,5", us, 5}, NumberCase{"-1,000", us, -1000}, NumberCase{"1,000e3", us, 1e6},
                             NumberCase{"1,000-", us, -1000}, NumberCase{"(1,000)", us, -1000},
                             NumberCase{"1'000.50", &kSwitzerland, 1000.5},
                             NumberCase{"1\xA0"
                                        "000,5",
                                        &kFrance, 1000.5},
                             NumberCase{"1\xA0"
                                        "000.5",
                                        &kFrance, 1000.5},
                             NumberCase{",5", us, std::nullopt}, NumberCase{"5,", us, std::nullopt},
                             NumberCase{"1,,000", us, std::nullopt}, NumberCase{",", us, std::nullopt},
                             NumberCase{"1, 000", us, std::nullopt}, NumberCase{"1.000,5", us, std::nullopt},
                             NumberCase{"1,000.0,0", us, std::nullopt}, NumberCase{"1e1,0", us, std::nullopt},
                             NumberCase{"1,000", &kPlain, std::nullopt}, NumberCase{"1 000", &kFrance, std::nullopt},
                             // A full stop that groups is still a decimal point, as it always was.
                             NumberCase{"1.000", &kGermany, 1}, NumberCase{"1.5", &kGermany, 1.5},
                             NumberCase{"1,5", &kGermany, 1.5}, NumberCase{"1.000,5", &kGermany, std::nullopt}));

INSTANTIATE_TEST_SUITE_P(Blanks, TextToNumber,
                         ::testing::Values(NumberCase{"\r\n12\r\n", us, 12}, NumberCase{"\v12\f", us, 12},
                                           NumberCase{"\t 12 \n", us, 12}, NumberCase{"\n-1.5e1\r", us, -15},
                                           NumberCase{"\r\n12", &kPlain, 12}, NumberCase{"1\n2", us, std::nullopt},
                                           NumberCase{"\v", us, std::nullopt}, NumberCase{"\r\n", us, std::nullopt},
                                           NumberCase{"12\x01", us, std::nullopt},
                                           NumberCase{"\xA0"
                                                      "12",
                                                      us, std::nullopt}));

// A separator or symbol that could be read as part of a number is not
// looked for, so what read before keeps its value.
const Locale kDigitCurrency{'.', ',', "1"};
const Locale kExponentGroups{'.', 'E', "$"};
const Locale kPointCurrency{'.', ',', ".-"};
const Locale kSignCurrency{'.', ',', "-"};

INSTANTIATE_TEST_SUITE_P(SettingsThatWouldChangeOldReadings, TextToNumber,
                         ::testing::Values(NumberCase{"15", &kDigitCurrency, 15},
                                           NumberCase{"1E5", &kExponentGroups, 100000},
                                           NumberCase{".5", &kPointCurrency, 0.5}, NumberCase{"-5", &kSignCurrency, -5},
                                           NumberCase{"5-", &kSignCurrency, -5}));

TEST(TextToNumber, HexadecimalPatternsConvertToWholeNumbers)
{
    EXPECT_EQ(Variant("&H8000").to_integer(kUnitedStates), -32768);
    EXPECT_EQ(Variant("&HFFFF").to_long(kUnitedStates), -1);
    EXPECT_EQ(Variant("&H80000000").to_long(kUnitedStates), -2147483647 - 1);
    EXPECT_EQ(error_of([] { (void)Variant("&H10000").to_integer(kUnitedStates); }), ErrorCode::Overflow);
    EXPECT_EQ(Variant("$1,000").to_integer(kUnitedStates), 1000);
    EXPECT_EQ(Variant("(2.5)").to_integer(kUnitedStates), -2);
}

// What the control writes reads back under any of these settings just as it
// does with no grouping and no currency symbol.
TEST(TextToNumber, WrittenNumbersReadTheSameWithGroupingAndCurrency)
{
    const Locale* const locales[] = {&kUnitedStates,  &kGermany,        &kFrance,        &kSwitzerland,
                                     &kDigitCurrency, &kExponentGroups, &kPointCurrency, &kSignCurrency};
    const double values[] = {
        0, 1, -1, 1000, -1234567.891, 0.5, 1e-7, -2.5e-12, 1e15, 123456789012345678.0, 1e300, -32768, 2147483647.5};
    for (const Locale* locale : locales) {
        const Locale without{locale->decimal_separator};
        for (const double v : values) {
            std::vector<std::string> texts{general_form(v, *locale), format_0_00(v, *locale)};
            if (std::fabs(v) < 1e38) texts.push_back(general_form(static_cast<float>(v), *locale));
            for (const auto& text : texts) EXPECT_EQ(parse_number(text, *locale), parse_number(text, without)) << text;
        }
    }
}

}  // namespace
