// The scripting runtime's value rules as a table, and the other small rules
// (code page, measures, registry names, saved state) as another: every line
// of tests/cases/value_rules.txt and text_rules.txt is
//
//   RULE ARG... => RESULT
//
// and the rule applied to the arguments must give the result. A "quoted"
// argument is a String as written (\" \\ and \xHH escapes); any other is
// typed as on the command line (i2:5 cy:1.5 date:2009-07-06 null: ...), or
// serial:N for a Date by its serial number. Results are numbers in their
// shortest exact form, "texts", less/equal/greater/null, a value with its
// type ("5 (Integer)"), "refused", or "error N" for the runtime error raised.
// `locale DECIMAL GROUPING CURRENCY [SHORT_DATE [TIME]]` (each "quoted", ""
// for none) sets the user's settings for the lines after it.
#include "checks/display_check.hpp"
#include "control/state_stream.hpp"
#include "core/ansi.hpp"
#include "core/date_text.hpp"
#include "core/number_text.hpp"
#include "core/script_error.hpp"
#include "core/variant.hpp"
#include "platform/simulated/registry_tree.hpp"
#include "probes/mod_registry.hpp"
#include "probes/version_text.hpp"
#include "render/panel_layout.hpp"
#include "session/page_params.hpp"
#include "session/typed_value.hpp"
#include "quoted_args.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

using namespace prestova;
using prestova::testing::Arg;
using prestova::testing::args_of;

namespace {

std::string in_quotes(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.append(1, '\\').append(1, c);
        } else if (byte < 0x20 || byte >= 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string number(double value)
{
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

Variant value_of(const Arg& arg)
{
    if (arg.quoted) return Variant(arg.text);
    if (arg.text.starts_with("serial:")) return Variant::date(std::stod(arg.text.substr(7)));
    return typed_value(arg.text);
}

std::string order(const Comparison& c)
{
    if (c.is_null()) return "null";
    return c.less() ? "less" : c.equal() ? "equal" : "greater";
}

std::string order(int c) { return c < 0 ? "less" : c == 0 ? "equal" : "greater"; }

using Args = std::vector<Arg>;
using Rule = std::function<std::string(const Args&, const Locale&)>;

// A two-sided comparison also holds the other way round.
std::string both_ways(int forward, int backward)
{
    return forward == -backward ? order(forward) : "not symmetric: " + order(forward) + ", " + order(backward);
}

// A rule's first argument as a value, and as a number.
Variant v(const Args& a) { return value_of(a.at(0)); }
double d(const Args& a) { return std::stod(a.at(0).text); }
using L = const Locale&;

const std::map<std::string, Rule> kRules = {
    {"integer", [](const Args& a, L l) { return std::to_string(v(a).to_integer(l)); }},
    {"long", [](const Args& a, L l) { return std::to_string(v(a).to_long(l)); }},
    {"number", [](const Args& a, L l) { return number(v(a).to_double(l)); }},
    {"text", [](const Args& a, L l) { return in_quotes(v(a).to_text(l)); }},
    {"joined", [](const Args& a, L l) { return in_quotes(v(a).joined_text(l)); }},
    {"compare_number", [](const Args& a, L l) { return order(compare_number(v(a), std::stod(a.at(1).text), l)); }},
    {"compare_text", [](const Args& a, L l) { return order(compare_text(v(a), a.at(1).text, l)); }},
    {"compare_texts",
     [](const Args& a, L) {
         return both_ways(compare_text(a.at(0).text, a.at(1).text), compare_text(a[1].text, a[0].text));
     }},
    {"compare_versions",
     [](const Args& a, L) {
         return both_ways(compare_versions(a.at(0).text, a.at(1).text), compare_versions(a[1].text, a[0].text));
     }},
    {"parse", [](const Args& a, L l) { return number(parse_number(a.at(0).text, l)); }},
    {"general", [](const Args& a, L l) { return in_quotes(general_form(d(a), l)); }},
    {"general_single", [](const Args& a, L l) { return in_quotes(general_form(std::stof(a.at(0).text), l)); }},
    {"fixed", [](const Args& a, L l) { return in_quotes(format_0_00(d(a), l)); }},
    {"round", [](const Args& a, L) { return number(round_half_even(d(a))); }},
    {"date_text", [](const Args& a, L l) { return in_quotes(date_text(d(a), l)); }},
    {"iso_date",
     [](const Args& a, L l) {
         const auto serial = parse_iso_date(a.at(0).text);
         return serial ? number(*serial) + " " + in_quotes(date_text(*serial, l)) : std::string("refused");
     }},
    {"cut_lang_type",
     [](const Args& a, L l) {
         Variant argument = v(a);  // rewritten even when the cut fails
         std::string result;
         try {
             result = shown_value(CutLangType(argument, l), l);
         } catch (const ScriptError& e) {
             result = "error " + std::to_string(static_cast<int>(e.code()));
         }
         return result + ", argument " + shown_value(argument, l);
     }},
    {"cut_decimal",
     [](const Args& a, L l) {
         return in_quotes(CutDecimal(v(a), static_cast<std::uint8_t>(std::stoi(a.at(1).text)), l));
     }},
    // text_rules.txt
    {"code_page",
     [](const Args& a, L) {
         const std::string utf8 = ansi_to_utf8(a.at(0).text), back = utf8_to_ansi(utf8);
         return back == a[0].text ? in_quotes(utf8) : "comes back as " + in_quotes(back);
     }},
    {"to_code_page", [](const Args& a, L) { return in_quotes(utf8_to_ansi(a.at(0).text)); }},
    {"unit_to_code_page",
     [](const Args& a, L) {
         return in_quotes(std::string(1, utf16_to_ansi(static_cast<char16_t>(std::stoi(a.at(0).text, nullptr, 16)))));
     }},
    {"screen_pixels", [](const Args& a, L) { return std::to_string(screen_pixels(d(a), std::stod(a.at(1).text))); }},
    {"pixels",
     [](const Args& a, L) {
         return pixels(d(a)) == exact_pixels(d(a)) ? in_quotes(pixels(d(a))) : "not exact: " + exact_pixels(d(a));
     }},
    {"key_names",
     [](const Args& a, L) {
         return both_ways(compare_key_names(a.at(0).text, a.at(1).text), compare_key_names(a[1].text, a[0].text));
     }},
    {"state_field",
     [](const Args& a, L l) {
         const auto bag = decode_state(std::string(kStreamHeader) + "K=" + a.at(0).text + "\n");
         return bag ? shown_value(*bag->find("K"), l) : "refused";
     }},
    {"trim_blanks", [](const Args& a, L) { return in_quotes(trim_blanks(a.at(0).text)); }},
    {"html_text", [](const Args& a, L) { return in_quotes(decode_html_entities(a.at(0).text)); }},
};

std::string apply(const std::string& name, const std::vector<Arg>& args, const Locale& locale)
{
    const auto rule = kRules.find(name);
    if (rule == kRules.end()) return "no rule " + name;
    try {
        return rule->second(args, locale);
    } catch (const ScriptError& e) {
        return "error " + std::to_string(static_cast<int>(e.code()));
    }
}

class Rules : public ::testing::TestWithParam<const char*> {};

TEST_P(Rules, EveryLineOfTheTableHolds)
{
    std::ifstream in(std::string(PRESTOVA_SOURCE_DIR) + "/tests/cases/" + GetParam() + ".txt", std::ios::binary);
    ASSERT_TRUE(in);
    Locale locale;
    int number = 0, checked = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.empty() || line.starts_with("#")) continue;
        const auto arrow = line.find(" => ");
        std::vector<Arg> args = args_of(line.substr(0, arrow));
        const std::string name = args.front().text;
        args.erase(args.begin());
        if (name == "locale") {
            const auto setting = [&](std::size_t i) { return i < args.size() ? args[i].text : std::string(); };
            locale =
                Locale{setting(0).empty() ? '.' : setting(0)[0], setting(1).empty() ? '\0' : setting(1)[0], setting(2)};
            if (args.size() > 3) locale.short_date = setting(3);
            if (args.size() > 4) locale.time_format = setting(4);
            continue;
        }
        ASSERT_NE(arrow, std::string::npos) << "line " << number << " has no =>";
        EXPECT_EQ(apply(name, args, locale), line.substr(arrow + 4)) << GetParam() << ".txt:" << number << ": " << line;
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

INSTANTIATE_TEST_SUITE_P(Files, Rules, ::testing::Values("value_rules", "text_rules"),
                         [](const auto& info) { return std::string(info.param); });

// What cannot be a line of the tables: loops, texts too long to write, and
// what only C++ can observe.

TEST(ValueRules, LongTextsOverflowTheirPositions)
{
    const Locale plain;
    const std::string ones(32766, '1'), more = ones + "1", longer = std::string(40000, '1') + " (x)";
    EXPECT_EQ(apply("cut_lang_type", {{ones, true}}, plain), ones + " (String), argument " + ones + " (String)");
    EXPECT_EQ(apply("cut_lang_type", {{more, true}}, plain), "error 6, argument " + more + " (String)");
    EXPECT_EQ(apply("cut_lang_type", {{longer, true}}, plain), "error 6, argument " + longer + " (String)");
}

TEST(ValueRules, NoTestHoldsForNull)
{
    const Comparison n = Comparison::null();
    EXPECT_FALSE(n.less() || n.less_or_equal() || n.equal() || n.greater_or_equal() || n.greater());
}

TEST(ValueRules, EveryTypeKeepsTypeAndValueWhenCopied)
{
    const char* const typed[] = {"empty:", "null:", "i2:1",      "i4:1",    "r4:1",    "r8:1", "cy:1",
                                 "date:1", "str:1", "bool:true", "error:1", "dec:1.0", "ui1:1"};
    for (std::size_t i = 0; i < std::size(typed); ++i) {
        const Variant value = typed_value(typed[i]);
        EXPECT_EQ(static_cast<std::size_t>(value.type()), i) << "types in the order of their codes";
        const Variant copy = value;
        EXPECT_EQ(copy, value);
        for (std::size_t j = 0; j < std::size(typed); ++j)
            if (i != j) {
                EXPECT_FALSE(value == typed_value(typed[j])) << "the same number in another type is another value";
            }
    }
    EXPECT_FALSE(typed_value("dec:1.5") == typed_value("dec:1.50")) << "a decimal's scale is kept";
}

// What the control writes reads back under any of these settings just as it
// does with no grouping and no currency symbol.
TEST(ValueRules, WrittenNumbersReadTheSameWithGroupingAndCurrency)
{
    const Locale locales[] = {{'.', ',', "$"}, {',', '.', "\x80"}, {',', '\xA0', "\x80"}, {'.', '\'', "Fr."},
                              {'.', ',', "1"}, {'.', 'E', "$"},    {'.', ',', ".-"},      {'.', ',', "-"}};
    const double values[] = {
        0, 1, -1, 1000, -1234567.891, 0.5, 1e-7, -2.5e-12, 1e15, 123456789012345678.0, 1e300, -32768, 2147483647.5};
    for (const Locale& locale : locales) {
        const Locale without{locale.decimal_separator};
        for (const double v : values) {
            std::vector<std::string> texts{general_form(v, locale), format_0_00(v, locale)};
            if (std::fabs(v) < 1e38) texts.push_back(general_form(static_cast<float>(v), locale));
            for (const auto& text : texts) EXPECT_EQ(parse_number(text, locale), parse_number(text, without)) << text;
        }
    }
}

TEST(ValueRules, ARefusedDateSaysWhy)
{
    try {
        (void)date_text(2958466, Locale{});
        ADD_FAILURE() << "no error";
    } catch (const ScriptError& e) {
        EXPECT_STREQ(e.what(), "the date serial 2958466 is not a date from 0100-01-01 to 9999-12-31");
    }
}

// Days shown as yyyy-MM-dd read back to themselves, in order: the calendar
// and its inverse agree on every day of the leap rules' turns (1600, 1900,
// 2000) and on every week's Monday across the range.
TEST(ValueRules, DaysReadBackFromTheirText)
{
    Locale iso;
    iso.short_date = "yyyy-MM-dd";
    iso.time_format = "HH:mm:ss";
    const auto read_back = [&](double first, double last, double step) {
        std::string previous;
        for (double day = first; day <= last; day += step) {
            if (day == 0) continue;  // day 0 shows as a time of day
            const std::string text = date_text(day, iso);
            const std::optional<double> back = parse_iso_date(text);
            ASSERT_TRUE(back) << text;
            ASSERT_EQ(*back, day) << text;
            ASSERT_LT(previous, text);
            previous = text;
        }
    };
    for (const char* year : {"1596", "1896", "1996"}) {
        const double first = *parse_iso_date(std::string(year) + "-01-01");
        read_back(first, first + 9 * 366, 1);
    }
    read_back(kFirstDateSerial + 3, kLastDateSerial, 7);  // 0100-01-04 was a Monday
    iso.short_date = "dddd";
    iso.time_format = "";
    EXPECT_EQ(date_text(kFirstDateSerial + 3, iso), "Monday");
}

// pixels() writes most measures from whole hundredths and leaves the rest to
// the general conversion: every measure a design in twips gives, and the
// half-pixel offsets the pictures add, is the correctly rounded decimal.
TEST(PixelText, EveryTwipMeasureMatchesTheExactConversion)
{
    int mismatches = 0;
    for (int twips = -40000; twips <= 40000; ++twips)
        for (double value : {twips / 15.0, twips / 15.0 + 0.5, twips / 30.0, twips / 8.0, twips / 1000.0}) {
            if (pixels(value) == exact_pixels(value)) continue;
            if (++mismatches <= 5)
                ADD_FAILURE() << value << ": " << pixels(value) << " against " << exact_pixels(value);
        }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
