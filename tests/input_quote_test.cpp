// Quoting untrusted input in messages: bounded, terminal-safe, honest about
// what was cut.
#include "core/input_quote.hpp"

#include <gtest/gtest.h>

#include "core/script_error.hpp"
#include "core/variant.hpp"
#include "probes/version_text.hpp"

using prestova::quote_input;

namespace {

struct Quote {
    std::string input;
    std::size_t limit;
    std::string expected;
};

class QuoteInput : public ::testing::TestWithParam<Quote> {};

TEST_P(QuoteInput, IsBoundedAndSafe)
{
    EXPECT_EQ(quote_input(GetParam().input, GetParam().limit), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuoteInput,
    ::testing::Values(Quote{"major = five", 80, "'major = five'"}, Quote{"", 80, "''"},
                      // An escape sequence never reaches the terminal.
                      Quote{"\x1b[2Jgone", 80, "'\\x1b[2Jgone'"}, Quote{"a\tb\rc\x7f", 80, "'a\\x09b\\x0dc\\x7f'"},
                      Quote{"back\\slash", 80, "'back\\\\slash'"},
                      // Bytes that are not UTF-8, and C1 controls that are.
                      Quote{"\x9b"
                            "1m\xff",
                            80, "'\\x9b1m\\xff'"},
                      Quote{"\xc2\x9b"
                            "x",
                            80, "'\\xc2\\x9bx'"},
                      Quote{"caf\xc3\xa9", 80, "'caf\xc3\xa9'"},
                      // Cut to the limit, never inside a character, saying how much went.
                      Quote{std::string(100, 'x'), 80, std::string("'").append(80, 'x') + "'... (20 more bytes cut)"},
                      Quote{"ab\xc3\xa9", 3, "'ab'... (2 more bytes cut)"}, Quote{"abc", 3, "'abc'"}));

TEST(QuoteInputOfHugeText, StaysSmall)
{
    const std::string garbage(50 * 1024 * 1024, '\x1b');
    const std::string quoted = quote_input(garbage);
    EXPECT_LT(quoted.size(), 400u);
    EXPECT_NE(quoted.find("(52428720 more bytes cut)"), std::string::npos) << quoted;
}

// The control holds texts in the code page: its letters stay letters, control
// characters are escaped all the same.
TEST(QuoteAnsiInput, KeepsTheCodePage)
{
    EXPECT_EQ(prestova::quote_ansi_input("r\xF6t \x80\x1b[2J\x81"), "'r\xF6t \x80\\x1b[2J\\xc2\\x81'");
    EXPECT_EQ(prestova::quote_ansi_input(std::string(100, '\xE9')),
              std::string("'").append(40, '\xE9') + "'... (120 more bytes cut)");
}

std::string message_of(auto&& f)
{
    try {
        f();
    } catch (const prestova::ScriptError& e) {
        return e.what();
    }
    return "no error";
}

// A page's value that a conversion refuses is quoted, bounded, in the message.
TEST(QuoteAnsiInput, InConversionMessages)
{
    const std::string value = "\x1b]0;owned\x07" + std::string(1000000, '9') + "x";
    prestova::Variant v(value);
    EXPECT_EQ(message_of([&] { (void)v.to_double(prestova::Locale{}); }),
              "Type mismatch: '\\x1b]0;owned\\x07" + std::string(70, '9') +
                  "'... (999931 more bytes cut) is not a number");
    prestova::Variant version("(" + value);
    const std::string cut = message_of([&] { (void)prestova::CutLangType(version, prestova::Locale{}); });
    EXPECT_EQ(cut.rfind("Invalid procedure call or argument: '(\\x1b]0;owned\\x07", 0), 0u) << cut;
    EXPECT_LT(cut.size(), 200u);
}

}  // namespace
