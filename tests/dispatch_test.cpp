// Calls through the member table, as the component's IDispatch and the dual
// interface make them: argument counts and types come from the table, and a
// by-reference argument comes back in its parameter's type.
#include "control/dispatch.hpp"
#include "control_support.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace prestova;
using namespace prestova::testing;

namespace {

struct DispatchCase {
    std::string label;
    std::string member;
    MemberKind kind;
    std::vector<Variant> args;
    std::optional<DispatchError::Kind> refused;  // nothing when the call goes through
    int refused_argument;                        // 0-based, -1 when none
    std::vector<Variant> args_after;
};

void PrintTo(const DispatchCase& c, std::ostream* out) { *out << c.label; }

class Dispatch : public ::testing::TestWithParam<DispatchCase> {};

TEST_P(Dispatch, ConvertsArgumentsToTheTablesParameterTypes)
{
    const DispatchCase& c = GetParam();
    TestControl t(xp_machine_text());
    const Member* member = find_member(*find_dispid(c.member), c.kind);
    ASSERT_NE(member, nullptr);
    std::vector<Variant> args = c.args;
    try {
        invoke(t.control, *member, args);
        EXPECT_FALSE(c.refused) << "the call went through";
    } catch (const DispatchError& e) {
        ASSERT_TRUE(c.refused) << e.what();
        EXPECT_EQ(e.kind(), *c.refused) << e.what();
        EXPECT_EQ(e.argument(), c.refused_argument) << e.what();
    }
    EXPECT_EQ(args, c.args_after);
}

using Kind = DispatchError::Kind;

INSTANTIATE_TEST_SUITE_P(MemberTable, Dispatch,
                         ::testing::Values(DispatchCase{"a long by reference comes back as a long",
                                                        "DeviceColors",
                                                        MemberKind::Method,
                                                        {Variant("0")},
                                                        std::nullopt,
                                                        -1,
                                                        {Variant::long_integer(0)}},
                                           DispatchCase{"a byte comes back as a byte",
                                                        "CutDecimal",
                                                        MemberKind::Method,
                                                        {Variant("6.0.2800.1106"), Variant("1")},
                                                        std::nullopt,
                                                        -1,
                                                        {Variant("6.0.2800.1106"), Variant::byte(1)}},
                                           DispatchCase{"a string by reference comes back as text",
                                                        "GetDiskSpace",
                                                        MemberKind::Method,
                                                        {Variant::integer(3)},
                                                        std::nullopt,
                                                        -1,
                                                        {Variant("3")}},
                                           DispatchCase{"a property's new value is stored as it is",
                                                        "CPUMin",
                                                        MemberKind::PropertyPut,
                                                        {Variant::integer(255)},
                                                        std::nullopt,
                                                        -1,
                                                        {Variant::integer(255)}},
                                           DispatchCase{"an overflowing byte leaves every argument as given",
                                                        "CutDecimal",
                                                        MemberKind::Method,
                                                        {Variant::integer(5), Variant("256")},
                                                        Kind::Overflow,
                                                        1,
                                                        {Variant::integer(5), Variant("256")}},
                                           DispatchCase{"text that is no number is a type mismatch",
                                                        "DeviceColors",
                                                        MemberKind::Method,
                                                        {Variant("screen")},
                                                        Kind::TypeMismatch,
                                                        0,
                                                        {Variant("screen")}},
                                           DispatchCase{"one argument too few",
                                                        "CutDecimal",
                                                        MemberKind::Method,
                                                        {Variant("1.5")},
                                                        Kind::BadParamCount,
                                                        -1,
                                                        {Variant("1.5")}},
                                           DispatchCase{"an argument to a method that takes none",
                                                        "getVersion",
                                                        MemberKind::Method,
                                                        {Variant()},
                                                        Kind::BadParamCount,
                                                        -1,
                                                        {Variant()}},
                                           DispatchCase{"an argument to a property's reading member",
                                                        "JavaVersion",
                                                        MemberKind::PropertyGet,
                                                        {Variant("1.6")},
                                                        Kind::BadParamCount,
                                                        -1,
                                                        {Variant("1.6")}},
                                           DispatchCase{"a property's writing member without its value",
                                                        "JavaVersion",
                                                        MemberKind::PropertyPut,
                                                        {},
                                                        Kind::BadParamCount,
                                                        -1,
                                                        {}}));

}  // namespace
