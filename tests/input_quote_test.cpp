// Quoting untrusted input in messages: bounded, terminal-safe, honest about
// what was cut.
#include "core/input_quote.hpp"

#include <gtest/gtest.h>

using prestova::quote_input;

namespace {

struct Quote {
    std::string input;
    std::size_t limit;
    std::string expected;
};

class QuoteInput : public ::testing::TestWithParam<Quote> {};

TEST_P(QuoteInput, IsBoundedAndSafe) { EXPECT_EQ(quote_input(GetParam().input, GetParam().limit), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Cases, QuoteInput,
    ::testing::Values(Quote{"major = five", 80, "'major = five'"}, Quote{"", 80, "''"},
                      // An escape sequence never reaches the terminal.
                      Quote{"\x1b[2Jgone", 80, "'\\x1b[2Jgone'"}, Quote{"a\tb\rc\x7f", 80, "'a\\x09b\\x0dc\\x7f'"},
                      Quote{"back\\slash", 80, "'back\\\\slash'"},
                      // Bytes that are not UTF-8, and C1 controls that are.
                      Quote{"\x9b" "1m\xff", 80, "'\\x9b1m\\xff'"}, Quote{"\xc2\x9b" "x", 80, "'\\xc2\\x9bx'"},
                      Quote{"caf\xc3\xa9", 80, "'caf\xc3\xa9'"},
                      // Cut to the limit, never inside a character, saying how much went.
                      Quote{std::string(100, 'x'), 80, "'" + std::string(80, 'x') + "'... (20 more bytes cut)"},
                      Quote{"ab\xc3\xa9", 3, "'ab'... (2 more bytes cut)"}, Quote{"abc", 3, "'abc'"}));

TEST(QuoteInputOfHugeText, StaysSmall)
{
    const std::string garbage(50 * 1024 * 1024, '\x1b');
    const std::string quoted = quote_input(garbage);
    EXPECT_LT(quoted.size(), 400u);
    EXPECT_NE(quoted.find("(52428720 more bytes cut)"), std::string::npos) << quoted;
}

} // namespace
