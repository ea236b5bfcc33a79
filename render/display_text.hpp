#pragma once
// Turning the control's texts into UTF-8 fit for a terminal or a document.
#include <string>
#include <string_view>
#include <vector>

namespace prestova {

// The lines of a caption. A lone carriage return is the control's line
// break; a line feed or CR LF breaks as the label draws it. A break at the
// very end adds no line (it draws nothing); an empty caption has no lines.
std::vector<std::string_view> caption_lines(std::string_view caption);

// Text that may come from either side of the code-page boundary: kept when
// it is valid UTF-8, else read as code-page text.
std::string utf8_or_code_page(std::string_view text);

// UTF-8 with every control character (C0, DEL, C1) shown as U+FFFD and a tab
// as a blank, so no caption can move a terminal's cursor or break markup.
std::string printable(std::string_view utf8);

// Whether the text is all printable ASCII, which printable() leaves as it is.
bool printable_ascii(std::string_view text);

// A code-page caption (or a line of one) ready to print.
std::string printable_caption(std::string_view caption);

}  // namespace prestova
