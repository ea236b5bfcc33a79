#include "core/ansi.hpp"

#include <array>
#include <cstdint>
#include <cstring>

namespace prestova {

namespace {

// Windows-1252 positions 0x80..0x9F; 0 marks an unassigned position, which
// Windows maps to the control character of the same number both ways.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char16_t to_unicode(unsigned char c)
{
    if (c >= 0x80 && c < 0xA0) return kHigh[c - 0x80] ? kHigh[c - 0x80] : c;
    return c;
}

// Writes the code point's UTF-8 bytes at out; just past them.
char* put_utf8(char* out, char32_t cp)
{
    if (cp < 0x80) {
        *out++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | (cp >> 6));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (cp >> 12));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (cp >> 18));
        *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

}  // namespace

void append_utf8(std::string& out, char32_t cp)
{
    char bytes[4];
    out.append(bytes, put_utf8(bytes, cp));
}

char utf16_to_ansi(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit < 0x100)) return static_cast<char>(unit);
    if (unit < 0xA0 && !kHigh[unit - 0x80]) return static_cast<char>(unit);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == unit) return static_cast<char>(0x80 + i);
    return '?';
}

std::size_t ascii_prefix_length(std::string_view text)
{
    // Eight bytes at a time while none has its top bit set.
    constexpr std::uint64_t kTopBits = 0x8080808080808080u;
    std::size_t i = 0;
    for (std::uint64_t word = 0; i + sizeof word <= text.size(); i += sizeof word) {
        std::memcpy(&word, text.data() + i, sizeof word);
        if (word & kTopBits) break;
    }
    while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
    return i;
}

std::string ansi_to_utf8(std::string_view ansi)
{
    const std::size_t ascii = ascii_prefix_length(ansi);
    std::string out(ansi.substr(0, ascii));
    if (ascii == ansi.size()) return out;
    // No code page character takes more than three bytes (U+20AC is the widest).
    out.resize(ascii + (ansi.size() - ascii) * 3);
    char* end = out.data() + ascii;
    for (const char c : ansi.substr(ascii)) end = put_utf8(end, to_unicode(static_cast<unsigned char>(c)));
    out.resize(static_cast<std::size_t>(end - out.data()));
    return out;
}

std::string utf8_to_ansi(std::string_view utf8)
{
    std::string out(utf8);
    utf8_to_ansi_in_place(out);
    return out;
}

void utf8_to_ansi_in_place(std::string& text)
{
    // Every sequence read gives one byte, so the write position never
    // passes the read position.
    const std::string_view utf8 = text;
    // ASCII stays where it is.
    std::size_t at = ascii_prefix_length(utf8);
    for (std::size_t i = at; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        int len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        char32_t cp = 0;
        bool ok = len > 0 && i + len <= utf8.size();
        if (ok) {
            cp = len == 1 ? c : (c & (0x7F >> len));
            for (int k = 1; k < len; ++k) {
                const auto cc = static_cast<unsigned char>(utf8[i + k]);
                if ((cc & 0xC0) != 0x80) {
                    ok = false;
                    break;
                }
                cp = (cp << 6) | (cc & 0x3F);
            }
        }
        if (!ok) {
            text[at++] = static_cast<char>(c);
            ++i;
            continue;
        }
        text[at++] = cp < 0x10000 ? utf16_to_ansi(static_cast<char16_t>(cp)) : '?';
        i += len;
    }
    text.resize(at);
}

}  // namespace prestova
