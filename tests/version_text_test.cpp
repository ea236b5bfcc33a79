#include "core/script_error.hpp"
#include "probes/version_text.hpp"

#include <gtest/gtest.h>

using namespace prestova;

namespace {

const Locale kDot{};

struct CutCase {
    Variant input;
    std::optional<Variant> result;  // nullopt: the call fails
    Variant afterwards;
    ErrorCode error = ErrorCode::InvalidArgument;
};

class CutLangTypeTable : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutLangTypeTable, CutsTheSuffixAndRewritesTheArgument)
{
    const auto& c = GetParam();
    Variant number = c.input;
    if (c.result) {
        EXPECT_EQ(CutLangType(number, kDot), *c.result);
    } else {
        try {
            CutLangType(number, kDot);
            ADD_FAILURE() << "no error";
        } catch (const ScriptError& e) {
            EXPECT_EQ(e.code(), c.error);
        }
    }
    EXPECT_EQ(number, c.afterwards);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CutLangTypeTable,
    ::testing::Values(
        CutCase{Variant("4.79 (en)"), Variant("4.79"), Variant("4.79")},
        CutCase{Variant("7.1 (en-US)"), Variant("7.1"), Variant("7.1")},
        CutCase{Variant("1.5"), Variant("1.5"), Variant("1.5")},
        CutCase{Variant::real(1.5), Variant("1.5"), Variant("1.5")},  // rewritten as text
        CutCase{Variant("5.0(x)"), Variant("5."), Variant("5.")}, CutCase{Variant("a(b)"), Variant(""), Variant("")},
        CutCase{Variant(""), Variant(), Variant("")}, CutCase{Variant(), Variant(), Variant()},
        CutCase{Variant("(en)"), std::nullopt, Variant("(en)")},
        CutCase{Variant::integer(7), Variant("7"), Variant("7")},
        CutCase{Variant(std::string(32766, '1')), Variant(std::string(32766, '1')), Variant(std::string(32766, '1'))},
        CutCase{Variant(std::string(32767, '1')), std::nullopt, Variant(std::string(32767, '1')), ErrorCode::Overflow},
        CutCase{Variant(std::string(40000, '1') + " (x)"), std::nullopt, Variant(std::string(40000, '1') + " (x)"),
                ErrorCode::Overflow}));

struct DecimalCase {
    const char* input;
    int places;
    const char* result;  // nullptr: overflow
};

class CutDecimalTable : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(CutDecimalTable, KeepsPlacesAfterTheFirstPoint)
{
    const auto& c = GetParam();
    const Variant number(c.input);
    if (c.result) {
        EXPECT_EQ(CutDecimal(number, static_cast<std::uint8_t>(c.places), kDot), c.result);
    } else {
        EXPECT_THROW(CutDecimal(number, static_cast<std::uint8_t>(c.places), kDot), ScriptError);
    }
}

const std::string k254 = std::string(253, '1') + ".5";  // point at 254
const std::string k256 = std::string(255, '1') + ".5";  // point at 256

INSTANTIATE_TEST_SUITE_P(Texts, CutDecimalTable,
                         ::testing::Values(DecimalCase{"6.0000", 1, "6.0"}, DecimalCase{"6.0.2800.1106", 1, "6.0"},
                                           DecimalCase{"7", 1, "7"}, DecimalCase{"10.25", 0, "10."},
                                           DecimalCase{"1.5", 3, "1.5"}, DecimalCase{"", 1, ""},
                                           DecimalCase{k254.c_str(), 1, k254.c_str()},
                                           DecimalCase{k254.c_str(), 2, nullptr}, DecimalCase{k256.c_str(), 0, nullptr},
                                           DecimalCase{"1.5", 255, nullptr}));

TEST(CompareVersions, NumberByNumberForVersionTexts)
{
    const std::tuple<const char*, const char*, int> cases[] = {{"6.0", "6.0", 0},
                                                               {"6.0.12.1040", "6.0", 1},
                                                               {"10.0.0.305", "6.0", 1},
                                                               {"6", "6.0", 0},
                                                               {"1.10", "1.6", 1},
                                                               {"1.6.0_03", "1.6", 1},
                                                               {"1.4", "1.6", -1},
                                                               {"007", "7", 0},
                                                               {"No", "6.0", 1},
                                                               {"", "6.0", -1},
                                                               {"6.0 beta", "6.0", 1},
                                                               {"6..0", "6.0", -1},
                                                               {"99999999999999999999.1", "99999999999999999999", 1}};
    for (const auto& [a, b, expected] : cases) {
        EXPECT_EQ(compare_versions(a, b), expected) << a << " vs " << b;
        EXPECT_EQ(compare_versions(b, a), -expected) << b << " vs " << a;
    }
}

}  // namespace
