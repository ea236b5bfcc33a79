#include "render/text_wrap.hpp"

#include "render/display_text.hpp"

#include <array>

namespace prestova {

namespace {

// Verdana advance widths in thousandths of an em for characters 32 to 126.
constexpr std::array<short, 95> kAsciiWidths = {
    352, 394, 460, 818, 636, 1076, 727,  269, 454, 454, 636, 818, 364, 454, 364, 454,  // space to /
    636, 636, 636, 636, 636, 636,  636,  636, 636, 636,                                // 0 to 9
    454, 454, 818, 818, 818, 545,  1000,                                               // : to @
    684, 686, 698, 771, 632, 575,  775,  751, 421, 455, 693, 557, 843,                 // A to M
    748, 787, 603, 787, 695, 684,  616,  732, 684, 989, 685, 615, 685,                 // N to Z
    454, 454, 454, 818, 636, 636,                                                      // [ to `
    601, 623, 521, 623, 596, 352,  623,  633, 274, 344, 592, 274, 973,                 // a to m
    633, 607, 623, 623, 427, 521,  394,  633, 592, 818, 592, 592, 525,                 // n to z
    636, 454, 636, 818,                                                                // { to ~
};
constexpr int kOtherWidth = 620;     // accented letters and symbols of the code page, on average
constexpr double kBoldFactor = 1.1;  // Verdana Bold runs about a tenth wider

double char_width(unsigned char c, bool bold)
{
    int thousandths = kOtherWidth;
    if (c >= 32 && c <= 126) thousandths = kAsciiWidths[c - 32];
    else if (c == 0xA0) thousandths = kAsciiWidths[0];  // no-break space
    return thousandths * kFontPixels / 1000.0 * (bold ? kBoldFactor : 1.0);
}

}  // namespace

double text_width(std::string_view text, bool bold)
{
    double width = 0;
    for (char c : text) width += char_width(static_cast<unsigned char>(c), bold);
    return width;
}

std::vector<std::string> wrap_line(std::string_view line, double max_width, bool bold)
{
    return wrap_line_by(line, max_width, [bold](std::string_view text) { return text_width(text, bold); });
}

std::vector<std::string> wrap_line_by(std::string_view line, double max_width,
                                      const std::function<double(std::string_view)>& width_of)
{
    std::vector<std::string> pieces;
    std::size_t piece_begin = 0;
    std::size_t piece_end = 0;  // end of the last word taken into the piece
    double piece_width = 0;
    bool piece_has_word = false;
    std::size_t i = 0;
    while (i < line.size()) {
        const std::size_t blanks_begin = i;
        while (i < line.size() && line[i] == ' ') ++i;
        if (i == line.size()) break;
        const std::size_t word_begin = i;
        while (i < line.size() && line[i] != ' ') ++i;
        const std::string_view word = line.substr(word_begin, i - word_begin);
        const double word_width = width_of(word);
        const double with_blanks = width_of(line.substr(blanks_begin, word_begin - blanks_begin)) + word_width;
        if (!piece_has_word || piece_width + with_blanks <= max_width) {
            piece_width += with_blanks;
            piece_end = i;
            piece_has_word = true;
            continue;
        }
        pieces.emplace_back(line.substr(piece_begin, piece_end - piece_begin));
        piece_begin = word_begin;
        piece_end = i;
        piece_width = word_width;
    }
    if (piece_has_word) pieces.emplace_back(line.substr(piece_begin, piece_end - piece_begin));
    else pieces.emplace_back();
    return pieces;
}

std::vector<std::string> wrap_caption(std::string_view caption, double max_width, bool bold)
{
    std::vector<std::string> lines;
    for (std::string_view line : caption_lines(caption))
        for (auto& piece : wrap_line(line, max_width, bold)) lines.push_back(std::move(piece));
    return lines;
}

}  // namespace prestova
