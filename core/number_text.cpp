#include "core/number_text.hpp"

#include "core/input_quote.hpp"
#include "core/script_error.hpp"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace prestova {

namespace {

[[noreturn]] void type_mismatch(std::string_view text)
{
    throw ScriptError(ErrorCode::TypeMismatch,
                      std::string("Type mismatch: ").append(quote_ansi_input(text)).append(" is not a number"));
}

[[noreturn]] void number_overflow(std::string_view text)
{
    throw ScriptError(ErrorCode::Overflow,
                      std::string("Overflow: ").append(quote_ansi_input(text)).append(" does not fit"));
}

// Blanks around a number: space, tab, carriage return, line feed, vertical
// tab and form feed.
bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool between_digits(std::string_view s, std::size_t i)
{
    return i > 0 && i + 1 < s.size() && is_digit(s[i - 1]) && is_digit(s[i + 1]);
}

std::size_t skip_blanks(std::string_view s, std::size_t i)
{
    while (i < s.size() && is_blank(s[i])) ++i;
    return i;
}

// The thousands separator groups only where it cannot be read otherwise: a
// full stop or the decimal separator is a decimal point, an E an exponent.
char usable_thousands(const Locale& locale)
{
    const char c = locale.thousands_separator;
    if (c == '\0' || is_digit(c) || c == '.' || c == locale.decimal_separator || c == 'e' || c == 'E') return '\0';
    return c;
}

// A currency symbol that begins like a number (or blank, a parenthesis or
// the hexadecimal mark) is not looked for, so no text that reads without it
// changes its value.
std::string_view usable_currency(const Locale& locale)
{
    const std::string_view symbol = locale.currency_symbol;
    if (symbol.empty()) return {};
    const char c = symbol.front();
    if (is_digit(c) || is_blank(c) || c == '.' || c == locale.decimal_separator || c == '+' || c == '-' || c == '(' ||
        c == ')' || c == '&')
        return {};
    return symbol;
}

int digit_value(char c)
{
    if (is_digit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// "&H1F" or "&O17": the digits are a 16-bit pattern when they fit in 16
// bits, else a 32-bit one; nothing may stand beside them but the blanks
// already removed.
double hex_or_octal(std::string_view s, std::string_view text)
{
    const int base = s[1] == 'H' || s[1] == 'h' ? 16 : 8;
    if (s.size() == 2) type_mismatch(text);
    std::uint64_t bits = 0;
    bool too_wide = false;
    for (const char c : s.substr(2)) {
        const int d = digit_value(c);
        if (d >= base) type_mismatch(text);
        bits = bits * static_cast<unsigned>(base) + static_cast<unsigned>(d);
        too_wide = too_wide || bits > 0xFFFFFFFFu;
        if (too_wide) bits = 0;  // the digits still have to be checked
    }
    if (too_wide) number_overflow(text);
    if (bits <= 0xFFFFu) return static_cast<std::int16_t>(static_cast<std::uint16_t>(bits));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
}

}  // namespace

double parse_number(std::string_view text, const Locale& locale)
{
    std::size_t b = 0, e = text.size();
    while (b < e && is_blank(text[b])) ++b;
    while (e > b && is_blank(text[e - 1])) --e;
    std::string_view s = text.substr(b, e - b);
    if (s.size() >= 2 && s[0] == '&' && std::string_view("HhOo").find(s[1]) != std::string_view::npos)
        return hex_or_octal(s, text);

    const bool parentheses = s.size() >= 2 && s.front() == '(' && s.back() == ')';
    if (parentheses) s = s.substr(1, s.size() - 2);
    const std::string_view currency = usable_currency(locale);
    const char thousands = usable_thousands(locale);

    std::size_t i = 0;
    bool sign_seen = false, negative = false, currency_seen = false;
    // A sign or the currency symbol (blanks around it), each at most once.
    auto take_sign_or_currency = [&](bool sign_allowed) {
        const std::size_t after_blanks = skip_blanks(s, i);
        if (!currency_seen && !currency.empty() && s.substr(after_blanks).starts_with(currency)) {
            currency_seen = true;
            i = skip_blanks(s, after_blanks + currency.size());
            return true;
        }
        if (sign_allowed && !sign_seen && i < s.size() && (s[i] == '+' || s[i] == '-')) {
            sign_seen = true;
            negative = s[i++] == '-';
            return true;
        }
        return false;
    };
    while (take_sign_or_currency(!parentheses)) {}

    // The number in strtod's form: at most one character per character read,
    // so short texts (nearly all) need no heap.
    char small[64];
    std::string large;
    char* const normal = s.size() < sizeof small ? small : (large.resize(s.size() + 1), large.data());
    std::size_t length = 0;
    int mantissa_digits = 0;
    bool seen_point = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (is_digit(c)) {
            normal[length++] = c;
            ++mantissa_digits;
        } else if (!seen_point && (c == locale.decimal_separator || c == '.')) {
            normal[length++] = '.';
            seen_point = true;
        } else if (!seen_point && thousands != '\0' && c == thousands && between_digits(s, i)) continue;
        else break;
    }
    if (mantissa_digits == 0) type_mismatch(text);
    // An exponent: E, an optional sign and at least one digit. "1e" alone
    // is no number, unless the E begins the currency symbol.
    bool exponent = false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && is_digit(s[j])) {
            normal[length++] = 'e';
            for (std::size_t k = i + 1; k < j; ++k) normal[length++] = s[k];
            for (i = j; i < s.size() && is_digit(s[i]); ++i) normal[length++] = s[i];
            exponent = true;
        }
    }
    // A trailing sign after an exponent would be ambiguous; it is refused.
    while (take_sign_or_currency(!parentheses && !exponent)) {}
    if (i != s.size()) type_mismatch(text);

    // The program never changes the C locale, so strtod reads a full stop.
    errno = 0;
    char* end = nullptr;
    normal[length] = '\0';
    double value = std::strtod(normal, &end);
    if (end != normal + length) type_mismatch(text);
    if (errno == ERANGE && std::fabs(value) >= 1) number_overflow(text);
    return negative || parentheses ? -value : value;
}

}  // namespace prestova
