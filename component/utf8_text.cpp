#include "utf8_text.hpp"

#include <windows.h>

namespace prestova::component {

std::optional<std::string> utf8_text(const wchar_t* text, std::size_t length)
{
    if (length == 0) return std::string();
    const int wide = static_cast<int>(length);
    const int size = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, wide, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::nullopt;
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, wide, out.data(), size, nullptr, nullptr);
    return out;
}

}  // namespace prestova::component
