#include "core/ascii_case.hpp"

namespace prestova {

namespace {
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool equals_ignoring_case(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    // Names that share a long prefix ("ShockwaveFlash.ShockwaveFlash.7")
    // mostly differ at the end, so the last character is looked at first.
    if (!a.empty() && lower(a.back()) != lower(b.back())) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

std::string to_lower_ascii(std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = lower(c);
    return out;
}

char to_upper_ascii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string to_upper_ascii(std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = to_upper_ascii(c);
    return out;
}

std::size_t find_ignoring_case(std::string_view haystack, std::string_view needle)
{
    if (needle.size() > haystack.size()) return std::string_view::npos;
    for (std::size_t i = 0; i + needle.size() <= haystack.size(); ++i)
        if (equals_ignoring_case(haystack.substr(i, needle.size()), needle)) return i;
    return std::string_view::npos;
}

}  // namespace prestova
