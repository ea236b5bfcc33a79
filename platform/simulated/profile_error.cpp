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
    if (kept < ansi.size())
        quoted.append("... (").append(std::to_string(ansi.size() - kept)).append(" more bytes cut)");
    return quoted;
}

std::string shown_path(std::string_view path)
{
    // As it is when quoting would change nothing but the backslashes.
    constexpr std::size_t kLimit = 4096;
    std::string quoted = quote_input(path, kLimit);
    std::string plain = "'";
    for (char c : path) plain.append(c == '\\' ? "\\\\" : std::string_view(&c, 1));
    plain += '\'';
    return quoted == plain ? std::string(path) : quoted;
}

}  // namespace prestova
