#include "core/input_quote.hpp"

#include "core/ansi.hpp"

namespace prestova {

namespace {

// The length of the UTF-8 sequence starting at `at`, or 0 when it is not a
// well-formed one.
std::size_t utf8_length(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned min_second = 0x80, max_second = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) min_second = 0xA0;
        if (lead == 0xED) max_second = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) min_second = 0x90;
        if (lead == 0xF4) max_second = 0x8F;
    } else return 0;
    if (at + length > text.size()) return 0;
    if (byte(at + 1) < min_second || byte(at + 1) > max_second) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
    // U+0080 to U+009F are control characters too.
    if (lead == 0xC2 && byte(at + 1) <= 0x9F) return 0;
    return length;
}

void append_escaped(std::string& out, unsigned char byte)
{
    static const char digits[] = "0123456789abcdef";
    out += "\\x";
    out += digits[byte >> 4];
    out += digits[byte & 0xF];
}

}  // namespace

std::string quote_input(std::string_view text, std::size_t limit)
{
    std::string out = "'";
    std::size_t at = 0;
    while (at < text.size()) {
        const unsigned char byte = static_cast<unsigned char>(text[at]);
        std::size_t length = 1;
        if (byte >= 0x80) length = utf8_length(text, at);
        if (at + (length ? length : 1) > limit) break;
        if (byte < 0x20 || byte == 0x7F || length == 0) {
            append_escaped(out, byte);
            ++at;
        } else if (byte == '\\') {
            out += "\\\\";
            ++at;
        } else {
            out.append(text.substr(at, length));
            at += length;
        }
    }
    out += '\'';
    if (at < text.size()) out.append("... (").append(std::to_string(text.size() - at)).append(" more bytes cut)");
    return out;
}

std::string quote_ansi_input(std::string_view ansi, std::size_t limit)
{
    // Quoted in UTF-8, where the code page's letters are not mistaken for
    // stray bytes, and brought back: every code page byte survives the trip.
    return utf8_to_ansi(quote_input(ansi_to_utf8(ansi), limit));
}

}  // namespace prestova
