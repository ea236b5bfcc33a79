#pragma once
// Quoting untrusted input in a message: bounded in length and safe to print
// on a terminal.
#include <cstddef>
#include <string>
#include <string_view>

namespace prestova {

constexpr std::size_t kQuotedInputLimit = 80;

// At most `limit` bytes of `text` between single quotes, control characters
// and bytes that are not UTF-8 written as \xNN (so an escape sequence never
// reaches the terminal), and, when the text was longer, how many bytes were
// cut: 'abc…' (1234 more bytes cut). A multi-byte character is never split.
std::string quote_input(std::string_view text, std::size_t limit = kQuotedInputLimit);

// The same for a text in the ANSI code page, as the control holds texts
// (a page's values, a script's arguments); the quotation is in the code page.
std::string quote_ansi_input(std::string_view ansi, std::size_t limit = kQuotedInputLimit);

}  // namespace prestova
