#include "platform/simulated/profile_error.hpp"

#include "core/ansi.hpp"
#include "core/input_quote.hpp"

#include <algorithm>

namespace prestova {

std::string quote_profile_input(std::string_view ansi)
{
    // Cut first, so a line of many megabytes is never copied whole.
    const std::size_t kept = std::min(ansi.size(), kQuotedInputLimit);
    std::string quoted = quote_input(ansi_to_utf8(ansi.substr(0, kept)), std::string::npos);
    if (kept < ansi.size()) quoted.append("... (").append(std::to_string(ansi.size() - kept)).append(" more bytes cut)");
    return quoted;
}

std::string shown_path(std::string_view path)
{
    const bool plain = std::all_of(path.begin(), path.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
    if (plain && path.size() <= 4096) return std::string(path);
    return quote_input(path, 4096);
}

} // namespace prestova
