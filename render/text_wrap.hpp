#pragma once
// Breaking captions into lines the way a word-wrapping label does, with
// Verdana's advance widths approximated from a small table.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace prestova {

constexpr double kFontPixels = 13.0;  // Verdana 9.75 pt at 96 pixels per inch
constexpr double kLinePixels = 16.0;  // the font's line height at that size

// Width in pixels of a code-page text in Verdana at kFontPixels.
double text_width(std::string_view text, bool bold);

// One caption line (no line breaks inside) broken at blanks so each piece
// fits max_width pixels. A word wider than that keeps a line of its own and
// overflows it, as the label does; blanks at a break are dropped, blanks
// leading the first piece are kept. An empty line gives one empty piece.
std::vector<std::string> wrap_line(std::string_view line, double max_width, bool bold);

// The same with any measure of width, e.g. characters for a terminal.
std::vector<std::string> wrap_line_by(std::string_view line, double max_width,
                                      const std::function<double(std::string_view)>& width_of);

// Every line of a caption, wrapped.
std::vector<std::string> wrap_caption(std::string_view caption, double max_width, bool bold);

}  // namespace prestova
