#include "render/panel_render.hpp"
#include "render_panel_support.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace prestova;
using prestova::testing::occurrences;

namespace {

std::string element_of(const std::string& html, std::string_view name)
{
    const auto at = html.find(" id=\"" + std::string(name) + "\"");
    if (at == std::string::npos) return {};
    const auto begin = html.rfind('<', at);
    return html.substr(begin, html.find('\n', at) - begin);
}

struct HtmlPanel : ::testing::Test {
    PanelState panel;
    RunReport report;
    std::string render(std::vector<LinkClick> clicks = {})
    {
        return render_html(PanelView{panel, report, std::move(clicks), "xp-laptop"});
    }
};

TEST_F(HtmlPanel, IsACompletePageThatParses)
{
    prestova::testing::fill_realistic_panel(panel);
    const std::string html = render({{"acrolink", "C:\\IE\\iexplore.exe", "http://a/?x=1&y=<2>", 42, ""}});
    EXPECT_EQ(html.rfind("<!DOCTYPE html>\n<html", 0), 0u);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.find("<title>Prestova results panel for machine xp-laptop</title>"), std::string::npos);
    EXPECT_NE(html.find("width:801px;height:912px;background:#FFFFFF"), std::string::npos);
    EXPECT_NE(html.find("</body>\n</html>\n"), std::string::npos);
    if (std::system("command -v xmllint >/dev/null 2>&1") != 0) GTEST_SKIP() << "xmllint is not installed";
    const prestova::testing::TempFolder folder;
    const std::string path = folder.write("panel.html", html).string();
    EXPECT_EQ(std::system(("xmllint --html --noout '" + path + "' 2>/dev/null").c_str()), 0);
}

TEST_F(HtmlPanel, PlacesEachVisibleCellAtItsDesignGeometry)
{
    panel.set_background(ControlId::Label7, rgb(255, 0, 0));
    const std::string cell = element_of(render(), "Label7");
    // 6000, 3960, 6015, 1095 twips
    EXPECT_NE(cell.find("class=\"cell left border\""), std::string::npos) << cell;
    EXPECT_NE(cell.find("left:400px;top:264px;width:401px;height:73px;background:#FF0000;color:#000000"),
              std::string::npos)
        << cell;
    EXPECT_NE(element_of(render(), "Label8").find("class=\"cell centre border bold\""), std::string::npos);
}

TEST_F(HtmlPanel, BreaksCaptionLinesAndEscapesThem)
{
    panel.set_caption(ControlId::Label33, "Opera <b>Installed</b> & more.\rFirefox 1.0 installed.\r");
    const std::string cell = element_of(render(), "Label33");
    EXPECT_NE(cell.find(">Opera &lt;b&gt;Installed&lt;/b&gt; &amp; more.<br>Firefox 1.0 installed.</div>"),
              std::string::npos)
        << cell;
}

TEST_F(HtmlPanel, ShowsOnlyVisibleFacesAndLinks)
{
    std::string html = render();
    EXPECT_EQ(occurrences(html, "<img"), 0u);
    EXPECT_EQ(element_of(html, "explorerLink"), "");
    panel.make_visible(ControlId::browsbad);
    panel.make_visible(ControlId::explorerLink);
    html = render();
    EXPECT_EQ(occurrences(html, "<img"), 1u);
    const std::string face = element_of(html, "browsbad");
    EXPECT_NE(face.find("left:72px;top:760px;width:53px;height:53px;"), std::string::npos) << face;
    EXPECT_NE(face.find("src=\"data:image/gif;base64,"), std::string::npos);
    const std::string link = element_of(html, "explorerLink");
    EXPECT_NE(link.find("class=\"cell right link\""), std::string::npos) << link;
    EXPECT_NE(link.find("color:#0000FF"), std::string::npos) << link;
    EXPECT_GT(html.find("id=\"explorerLink\""), html.find("id=\"Label34\""));
}

TEST_F(HtmlPanel, NotesTheStopAndTheClicks)
{
    EXPECT_NE(render().find("<p>The run reached its end.</p>"), std::string::npos);
    report.stopped = RunStop{"disk: verdict", 6, "Overflow & more"};
    const std::string html = render({{"javalink", "C:\\IE\\iexplore.exe", "http://j/?a=1&b=2", 42, ""}});
    EXPECT_NE(html.find("<p class=\"stopped\">Run stopped at disk: verdict: error 6: Overflow &amp; more</p>"),
              std::string::npos);
    EXPECT_NE(html.find("<td>javalink</td><td>C:\\IE\\iexplore.exe</td><td>http://j/?a=1&amp;b=2</td><td>42</td>"),
              std::string::npos);
}

}  // namespace
