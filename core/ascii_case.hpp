#pragma once
// Case-insensitive matching of names, as Windows matches keys and
// automation names (ASCII letters only).
#include <string>
#include <string_view>

namespace prestova {

bool equals_ignoring_case(std::string_view a, std::string_view b);
std::string to_lower_ascii(std::string_view text);
char to_upper_ascii(char c);
std::string to_upper_ascii(std::string_view text);
// Position of needle in haystack without regard to case, or npos.
std::size_t find_ignoring_case(std::string_view haystack, std::string_view needle);

}  // namespace prestova
