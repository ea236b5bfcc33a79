#include "render/display_text.hpp"

#include "core/ansi.hpp"

namespace prestova {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Length of the valid UTF-8 sequence at text[i], or 0 when it is not one.
std::size_t utf8_sequence_length(std::string_view text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t len = 0;
    char32_t cp = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        len = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        len = 3;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        len = 4;
        cp = lead & 0x07;
    } else return 0;
    if (i + len > text.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto c = static_cast<unsigned char>(text[i + k]);
        if ((c & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    const bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (overlong || surrogate || cp > 0x10FFFF) return 0;
    return len;
}

bool printable_ascii_byte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && byte < 0x7F;
}

bool valid_utf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = utf8_sequence_length(text, i);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

}  // namespace

std::vector<std::string_view> caption_lines(std::string_view caption)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '\r' && caption[i] != '\n') continue;
        lines.push_back(caption.substr(start, i - start));
        if (caption[i] == '\r' && i + 1 < caption.size() && caption[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < caption.size()) lines.push_back(caption.substr(start));
    return lines;
}

std::string utf8_or_code_page(std::string_view text)
{
    return valid_utf8(text) ? std::string(text) : ansi_to_utf8(text);
}

bool printable_ascii(std::string_view text)
{
    for (char c : text)
        if (!printable_ascii_byte(c)) return false;
    return true;
}

std::string printable(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        // Printable ASCII, nearly all of any text, goes across a run at a time.
        std::size_t run_end = i;
        while (run_end < utf8.size() && printable_ascii_byte(utf8[run_end])) ++run_end;
        out += utf8.substr(i, run_end - i);
        i = run_end;
        if (i == utf8.size()) break;
        const auto c = static_cast<unsigned char>(utf8[i]);
        std::size_t len = utf8_sequence_length(utf8, i);
        if (len == 0) {  // not UTF-8 at all: never pass it on
            out += kReplacement;
            ++i;
            continue;
        }
        const bool c1_control = c == 0xC2 && static_cast<unsigned char>(utf8[i + 1]) < 0xA0;
        if (c == '\t') out += ' ';
        else if (c < 0x20 || c == 0x7F || c1_control) out += kReplacement;
        else out += utf8.substr(i, len);
        i += len;
    }
    return out;
}

std::string printable_caption(std::string_view caption) { return printable(ansi_to_utf8(caption)); }

}  // namespace prestova
