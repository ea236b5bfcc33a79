#pragma once
// Texts inside the control are in the ANSI code page (Windows-1252), as they
// cross the Windows boundary; files and terminals away from Windows use UTF-8.
#include <string>
#include <string_view>

namespace prestova {

std::string ansi_to_utf8(std::string_view ansi);
// Characters outside the code page become '?'. Invalid UTF-8 bytes are
// taken as code page characters themselves.
std::string utf8_to_ansi(std::string_view utf8);
// The same, overwriting the text, which never grows.
void utf8_to_ansi_in_place(std::string& text);
// Appends one Unicode code point as UTF-8.
void append_utf8(std::string& out, char32_t code_point);
// One UTF-16 code unit to the code page ('?' when it has no place there).
char utf16_to_ansi(char16_t unit);
// How many bytes at the start are ASCII, which reads the same in UTF-8 and
// the code page: a text that is ASCII throughout needs no conversion.
std::size_t ascii_prefix_length(std::string_view text);

}  // namespace prestova
