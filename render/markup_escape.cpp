#include "render/markup_escape.hpp"

#include "render/display_text.hpp"

namespace prestova {

std::string markup_escape(std::string_view utf8)
{
    const std::string clean = printable(utf8);
    std::string out;
    out.reserve(clean.size());
    for (char c : clean) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace prestova
