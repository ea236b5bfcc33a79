#include "render/panel_render.hpp"
#include "render/text_wrap.hpp"
#include "render_panel_support.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

using namespace prestova;
using prestova::testing::occurrences;

namespace {

bool have_xmllint() { return std::system("command -v xmllint >/dev/null 2>&1") == 0; }

// Runs xmllint on the text; true when it is well-formed.
bool xmllint_accepts(const std::string& text, const std::string& options, const std::string& name)
{
    const prestova::testing::TempFolder folder;
    const std::string path = folder.write(name, text).string();
    return std::system(("xmllint " + options + " --noout '" + path + "' 2>/dev/null").c_str()) == 0;
}

// The markup of one control's group or element, from its id to its end.
std::string element_of(const std::string& svg, std::string_view name)
{
    const auto at = svg.find(" id=\"" + std::string(name) + "\"");
    if (at == std::string::npos) return {};
    const auto begin = svg.rfind('<', at);
    return svg.substr(begin, svg.find('\n', at) - begin);
}

std::vector<std::string> tspans(const std::string& element)
{
    std::vector<std::string> out;
    static const std::regex kTspan("<tspan[^>]*>([^<]*)</tspan>");
    for (std::sregex_iterator it(element.begin(), element.end(), kTspan), end; it != end; ++it) out.push_back((*it)[1]);
    return out;
}

struct SvgPanel : ::testing::Test {
    PanelState panel;
    RunReport report;
    std::string render() { return render_svg(PanelView{panel, report, {}, "xp-laptop"}); }
};

TEST_F(SvgPanel, IsAWellFormedPictureOfTheDesignSizeThatNotesTheStop)
{
    prestova::testing::fill_realistic_panel(panel);
    panel.set_caption(ControlId::Label24, "<Windows & \"XP\">");
    report.stopped = RunStop{"memory: verdict", 13, "Type mismatch <x>"};
    const std::string svg = render();
    EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
    EXPECT_NE(svg.find(" width=\"801\" height=\"912\" viewBox=\"0 0 801 912\""), std::string::npos);
    EXPECT_NE(svg.find("<rect x=\"0\" y=\"0\" width=\"801\" height=\"912\" fill=\"#FFFFFF\" stroke=\"none\"/>"),
              std::string::npos);
    EXPECT_NE(svg.find("<line id=\"Line4\" x1=\"8.5\" y1=\"8\" x2=\"8.5\" y2=\"32\" stroke=\"#000000\""),
              std::string::npos);  // the line on the left borders
    EXPECT_NE(svg.find("<desc>Run stopped at memory: verdict: error 13: Type mismatch &lt;x&gt;</desc>"),
              std::string::npos);
    if (!have_xmllint()) GTEST_SKIP() << "xmllint is not installed";
    EXPECT_TRUE(xmllint_accepts(svg, "", "panel.svg"));
}

TEST_F(SvgPanel, PlacesACellAtItsPixelGeometryWithItsBackgroundAndBorder)
{
    panel.set_caption(ControlId::LabelMemAmount, "512.00 Megabytes");
    panel.set_background(ControlId::LabelMemAmount, rgb(1, 2, 3));
    const std::string cell = element_of(render(), "LabelMemAmount");
    // 2880, 360, 3135, 1575 twips at 15 twips per pixel
    EXPECT_NE(cell.find("<rect x=\"192\" y=\"24\" width=\"209\" height=\"105\" fill=\"#010203\" stroke=\"none\"/>"),
              std::string::npos)
        << cell;
    EXPECT_NE(cell.find("<rect x=\"192.5\" y=\"24.5\" width=\"208\" height=\"104\" fill=\"none\" stroke=\"#000000\""),
              std::string::npos)
        << cell;
    // A value cell is centred, regular, black.
    EXPECT_NE(cell.find("fill=\"#000000\" text-anchor=\"middle\" font-weight=\"normal\" xml:space"), std::string::npos)
        << cell;
    EXPECT_NE(cell.find("<tspan x=\"296.5\" y=\"38\">512.00 Megabytes</tspan>"), std::string::npos) << cell;
}

TEST_F(SvgPanel, StylesFollowTheCellKind)
{
    panel.make_visible(ControlId::javalink);
    panel.set_caption(ControlId::Label28, "Adobe Acrobat Reader is installed.\r");
    const std::string svg = render();
    EXPECT_NE(element_of(svg, "Label8").find("font-weight=\"bold\""), std::string::npos);    // heading
    EXPECT_NE(element_of(svg, "Label2").find("font-weight=\"bold\""), std::string::npos);    // test name
    EXPECT_NE(element_of(svg, "Label28").find("text-anchor=\"start\""), std::string::npos);  // list
    const std::string link = element_of(svg, "javalink");
    EXPECT_NE(link.find("fill=\"#0000FF\" text-anchor=\"end\""), std::string::npos) << link;
    EXPECT_NE(link.find("text-decoration=\"underline\""), std::string::npos);
    EXPECT_EQ(link.find("stroke=\"#"), std::string::npos);  // links have no border
    EXPECT_NE(link.find("fill=\"#ACCFFB\""), std::string::npos);
}

TEST_F(SvgPanel, ShowsFacesAndLinksOnlyWhenVisibleAndAboveTheCells)
{
    std::string svg = render();
    EXPECT_EQ(occurrences(svg, "<image"), 0u);
    EXPECT_EQ(element_of(svg, "ziplink2"), "");

    panel.make_visible(ControlId::memGood);
    panel.make_visible(ControlId::memBad);
    panel.make_visible(ControlId::ziplink2);
    svg = render();
    EXPECT_EQ(occurrences(svg, "<image"), 2u);
    EXPECT_EQ(occurrences(svg, "data:image/gif;base64,R0lGODlh"), 2u);  // "GIF89a"
    const std::string face = element_of(svg, "memBad");
    EXPECT_NE(face.find("x=\"72\" y=\"64\" width=\"53\" height=\"53\" preserveAspectRatio=\"none\""), std::string::npos)
        << face;
    // Drawn after every cell, so the summary cell below does not cover the link's last pixel.
    EXPECT_GT(svg.find("id=\"ziplink2\""), svg.find("id=\"Label30\""));
    EXPECT_GT(svg.find("id=\"memGood\""), svg.find("id=\"Label34\""));
    EXPECT_GT(svg.find("id=\"Line4\""), svg.find("id=\"ziplink2\""));
}

TEST_F(SvgPanel, WrapsCaptionsToTheCellAndBreaksAtCarriageReturns)
{
    prestova::testing::fill_realistic_panel(panel);
    const std::string svg = render();
    const auto advice = tspans(element_of(svg, "memRecommend"));
    ASSERT_GE(advice.size(), 2u);
    std::string joined;
    for (const auto& line : advice) {
        EXPECT_LE(text_width(line, false), 6015 / 15 - 4) << line;
        joined += (joined.empty() ? "" : " ") + line;
    }
    EXPECT_EQ(joined, panel.state(ControlId::memRecommend).caption);
    EXPECT_EQ(tspans(element_of(svg, "Label19")), (std::vector<std::string>{"1024x768", " True Color (32 bit)"}));
}

TEST_F(SvgPanel, ClipsTextToItsCell)
{
    // 855 twips leave 55 px inside the border: four 16 px lines start there, the rest never show.
    panel.set_caption(ControlId::Label30, "one\rtwo\rthree\rfour\rfive\rsix");
    const std::string cell = element_of(render(), "Label30");
    EXPECT_EQ(tspans(cell), (std::vector<std::string>{"one", "two", "three", "four"}));
    EXPECT_NE(cell.find("<clipPath id=\"clip-Label30\"><rect x=\"193\" y=\"673\" width=\"607\" height=\"55\"/>"),
              std::string::npos)
        << cell;
    EXPECT_NE(cell.find("clip-path=\"url(#clip-Label30)\""), std::string::npos);
}

TEST_F(SvgPanel, ClipsOnlyTextThatReachesAnEdge)
{
    panel.set_caption(ControlId::Label13, "C:\\Program_Files\\Internet_Explorer\\iexplore.exe");  // one long word
    panel.set_caption(ControlId::Label15, "633 Mhz");
    panel.set_caption(ControlId::Label20, "1024x768\rTrue Color");  // two lines just fill 31 px
    const std::string svg = render();
    EXPECT_NE(element_of(svg, "Label13").find("clip-path="), std::string::npos);
    EXPECT_EQ(element_of(svg, "Label15").find("clip"), std::string::npos);
    EXPECT_EQ(element_of(svg, "Label20").find("clip"), std::string::npos);
    EXPECT_EQ(tspans(element_of(svg, "Label20")).size(), 2u);
}

TEST_F(SvgPanel, EscapesCaptionsAndDropsControlCharacters)
{
    panel.set_caption(ControlId::Label24, "a<b & c>\"d\" \x01 caf\xE9");
    const std::string svg = render();
    EXPECT_NE(svg.find("a&lt;b &amp; c&gt;&quot;d&quot; \uFFFD caf\u00E9"), std::string::npos);
    EXPECT_EQ(svg.find("a<b"), std::string::npos);
    EXPECT_EQ(svg.find('\x01'), std::string::npos);
}

}  // namespace
