#include "render/markup_escape.hpp"

#include "render/display_text.hpp"

namespace prestova {

namespace {

std::string_view entity(char c)
{
    switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    case '\'': return "&#39;";
    default: return {};
    }
}

void append_entities(std::string& out, std::string_view clean)
{
    // Copied between the characters that need an entity, not one at a time.
    std::size_t copied = 0;
    for (std::size_t i = 0; i < clean.size(); ++i) {
        const std::string_view replacement = entity(clean[i]);
        if (replacement.empty()) continue;
        out.append(clean.substr(copied, i - copied)).append(replacement);
        copied = i + 1;
    }
    out.append(clean.substr(copied));
}

}  // namespace

void append_markup_escaped(std::string& out, std::string_view utf8)
{
    // Names, numbers and most captions are printable ASCII: no cleaned copy.
    if (printable_ascii(utf8)) append_entities(out, utf8);
    else append_entities(out, printable(utf8));
}

std::string markup_escape(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    append_markup_escaped(out, utf8);
    return out;
}

}  // namespace prestova
