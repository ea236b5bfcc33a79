#include "render/base64.hpp"
#include "render/colour_text.hpp"
#include "render/display_text.hpp"
#include "render/json_escape.hpp"
#include "render/markup_escape.hpp"
#include "render/panel_layout.hpp"
#include "render/text_wrap.hpp"

#include <gtest/gtest.h>

using namespace prestova;

namespace {

TEST(Base64, MatchesTheStandardVectors)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
    };
    for (const auto& [plain, coded] : cases) {
        const std::vector<std::uint8_t> bytes(plain.begin(), plain.end());
        EXPECT_EQ(base64_encode(bytes), coded) << plain;
    }
    const std::vector<std::uint8_t> three_with_nul = {0xFF, 0xFE, 0x00};
    EXPECT_EQ(base64_encode(three_with_nul), "//4A");
}

TEST(CaptionLines, BreakAtCarriageReturnsLineFeedsAndPairs)
{
    using Lines = std::vector<std::string_view>;
    const std::pair<std::string_view, Lines> cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"one\r", {"one"}},
        {"one\rtwo", {"one", "two"}},
        {"one\r\rtwo\r", {"one", "", "two"}},
        {"one\r\ntwo\nthree", {"one", "two", "three"}},
        {"\r", {""}},
        {"\n\r", {"", ""}},
    };
    for (const auto& [caption, lines] : cases) EXPECT_EQ(caption_lines(caption), lines) << caption;
}

TEST(DisplayText, ReplacesControlCharactersAndKeepsTheRest)
{
    EXPECT_EQ(printable("a\tb\x1B[0m\x7F"), "a b\uFFFD[0m\uFFFD");
    EXPECT_EQ(printable("\u0085x\u00A0\u20AC"), "\uFFFDx\u00A0\u20AC");
    EXPECT_EQ(printable("bad \xE9 utf8"), "bad \uFFFD utf8");
    EXPECT_EQ(printable_caption("caf\xE9 \x80\x81"), "caf\u00E9 \u20AC\uFFFD");
    EXPECT_EQ(utf8_or_code_page("caf\u00E9"), "caf\u00E9");
    EXPECT_EQ(utf8_or_code_page("caf\xE9"), "caf\u00E9");
    EXPECT_EQ(utf8_or_code_page("\xC0\x80"), "\u00C0\u20AC");  // an overlong NUL is no UTF-8
}

TEST(Escaping, MarkupAndJson)
{
    EXPECT_EQ(markup_escape("<a href='x'>&\"</a>\r"), "&lt;a href=&#39;x&#39;&gt;&amp;&quot;&lt;/a&gt;\uFFFD");
    EXPECT_EQ(markup_escape("plain & <simple>"), "plain &amp; &lt;simple&gt;");
    EXPECT_EQ(markup_escape("caf\u00E9 & \x01"), "caf\u00E9 &amp; \uFFFD");
    EXPECT_EQ(markup_escape(""), "");
    std::string appended = "<b>";
    append_markup_escaped(appended, "x'y");
    EXPECT_EQ(appended, "<b>x&#39;y");
    EXPECT_EQ(json_string("a\"b\\c\r\n\t\x01\x1F/\u00E9"), "\"a\\\"b\\\\c\\r\\n\\t\\u0001\\u001f/\u00E9\"");
}

TEST(ColourText, RedIsTheLowByte)
{
    EXPECT_EQ(hex_colour(rgb(172, 207, 251)), "#ACCFFB");
    EXPECT_EQ(hex_colour(rgb(255, 0, 0)), "#FF0000");
    EXPECT_EQ(hex_colour(rgb(0, 0, 255)), "#0000FF");
    EXPECT_EQ(hex_colour(0), "#000000");
}

TEST(PanelLayout, PixelsAndOrder)
{
    EXPECT_EQ(pixels(8), "8");
    EXPECT_EQ(pixels(8.5), "8.5");
    EXPECT_EQ(pixels(1.0 / 3), "0.33");
    EXPECT_EQ(pixels(-0.001), "0");
    const auto& order = drawing_order();
    ASSERT_EQ(order.size(), kControlCount);
    bool overlays_started = false;
    for (ControlId id : order) {
        const ControlDesign& c = design(id);
        const bool overlay = c.kind != ControlKind::Label || c.style == CellStyle::Link;
        EXPECT_FALSE(overlays_started && !overlay) << c.name << " is a cell drawn over a face or link";
        overlays_started = overlays_started || overlay;
    }
}

TEST(TextWrap, BreaksAtBlanksWithinTheWidth)
{
    const std::string sentence = "You have more than the recommended amount of RAM needed to use any system.";
    for (double width : {100.0, 120.0, 200.0, 397.0}) {  // every word fits alone
        const auto pieces = wrap_line(sentence, width, false);
        std::string joined;
        for (const auto& p : pieces) {
            EXPECT_LE(text_width(p, false), width) << p;
            EXPECT_NE(p.front(), ' ');
            EXPECT_NE(p.back(), ' ');
            joined += (joined.empty() ? "" : " ") + p;
        }
        EXPECT_EQ(joined, sentence);
        if (pieces.size() > 1) {  // greedy: the next word would not have fitted
            EXPECT_GT(text_width(pieces[0] + " " + pieces[1].substr(0, pieces[1].find(' ')), false), width);
        }
    }
}

TEST(TextWrap, KeepsLongWordsWholeAndLeadingBlanks)
{
    EXPECT_EQ(wrap_line("a C:\\Program_Files\\Very\\Long b", 40, false),
              (std::vector<std::string>{"a", "C:\\Program_Files\\Very\\Long", "b"}));
    EXPECT_EQ(wrap_line("  High Color", 500, false), (std::vector<std::string>{"  High Color"}));
    EXPECT_EQ(wrap_line("   ", 500, false), (std::vector<std::string>{""}));
    EXPECT_EQ(wrap_caption("a\r\rb\r", 500, false), (std::vector<std::string>{"a", "", "b"}));
}

TEST(TextWrap, BoldIsWiderAndWidthsAreVerdanaLike)
{
    EXPECT_GT(text_width("Total Memory", true), text_width("Total Memory", false));
    EXPECT_NEAR(text_width("0123456789", false), 10 * 0.636 * 13, 0.01);
    EXPECT_GT(text_width("W", false), text_width("i", false) * 3);
    EXPECT_GT(text_width("\xE9", false), 0);  // code-page letters have a width too
}

}  // namespace
