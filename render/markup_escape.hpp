#pragma once
// Text for XML and HTML content and attribute values.
#include <string>
#include <string_view>

namespace prestova {

// Escapes & < > " ' and shows control characters as U+FFFD (XML allows
// none of them), so registry texts and page params cannot make markup.
std::string markup_escape(std::string_view utf8);
// The same, appended to the text being written.
void append_markup_escaped(std::string& out, std::string_view utf8);

}  // namespace prestova
