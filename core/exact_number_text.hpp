#pragma once
// Numbers written so they read back exactly, and read back only when the
// whole text is the number: the control's saved stream and the command
// line's typed values both keep values this way.
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace prestova {

// The shortest text that reads back as the same value (a whole number's
// digits; for a Single or Double the fewest significant digits).
template <class T>
std::string exact_number_text(T value)
{
    char buffer[64];  // more than any whole number or shortest double needs
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc{} ? std::string(buffer, end) : std::string("0");
}

// The value when all of the text is one of type T, in range; else nullopt.
template <class T>
std::optional<T> read_exact_number(std::string_view text)
{
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace prestova
