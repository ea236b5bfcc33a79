#include "render/panel_render.hpp"
#include "render_panel_support.hpp"

#include <gtest/gtest.h>

using namespace prestova;
using prestova::testing::occurrences;

namespace {

struct TextPanel : ::testing::Test {
    PanelState panel;
    RunReport report;
    std::string render(std::vector<LinkClick> clicks = {})
    {
        return render_text(PanelView{panel, report, std::move(clicks), "xp-laptop"});
    }
    // The output line that shows a control's cell.
    static std::string cell_line(const std::string& text, std::string_view name)
    {
        const auto at = text.find(std::string(" ").append(name).append(" "));
        if (at == std::string::npos) return {};
        const auto begin = text.rfind('\n', at) + 1;
        return text.substr(begin, text.find('\n', at) - begin);
    }
};

TEST_F(TextPanel, ShowsTheHeaderAndTheSevenRowsInPanelOrder)
{
    const std::string text = render();
    EXPECT_EQ(text.rfind("Prestova results panel for machine xp-laptop\n", 0), 0u);
    std::size_t last = 0;
    for (const char* row : {"\nHeader\n", "\nMemory\n", "\nProcessor\n", "\nDisk space\n", "\nVideo\n",
                            "\nOperating system\n", "\nSoftware\n", "\nBrowser\n"}) {
        const auto at = text.find(row);
        ASSERT_NE(at, std::string::npos) << row;
        EXPECT_GT(at, last) << row;
        last = at;
    }
    EXPECT_NE(cell_line(text, "Label11").find("Minimum Required"), std::string::npos);
}

TEST_F(TextPanel, EachCellShowsItsColumnNameBackgroundAndCaption)
{
    prestova::testing::fill_realistic_panel(panel);
    const std::string text = render();
    const std::string memory = cell_line(text, "LabelMemAmount");
    EXPECT_NE(memory.find("Result"), std::string::npos);
    EXPECT_NE(memory.find("#ACCFFB"), std::string::npos);
    EXPECT_NE(memory.find("512.00 Megabytes"), std::string::npos);
    EXPECT_NE(cell_line(text, "Label12").find("Recommended"), std::string::npos);
    EXPECT_NE(cell_line(text, "Label13").find("Minimum"), std::string::npos);
    EXPECT_NE(cell_line(text, "Label2").find("#FFFFFF  Total Memory"), std::string::npos);
    EXPECT_NE(cell_line(text, "Label7").find("#FF0000"), std::string::npos);  // the failing disk advice
    EXPECT_NE(cell_line(text, "Label7").find("Advice"), std::string::npos);
    EXPECT_NE(cell_line(text, "Label28").find("List"), std::string::npos);
}

TEST_F(TextPanel, PutsEachLineOfACaptionOnItsOwnLineUnderItsCell)
{
    prestova::testing::fill_realistic_panel(panel);
    const std::string text = render();
    const std::string first = cell_line(text, "Label19");
    const auto column = first.find("1024x768");
    ASSERT_NE(column, std::string::npos);
    EXPECT_NE(text.find(first + "\n" + std::string(column, ' ') + " True Color (32 bit)\n"), std::string::npos);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    // The list's trailing break adds no empty line.
    EXPECT_NE(text.find(std::string(column, ' ') + "Java Runtime Environment 1.4.2 is installed.\n  Advice"),
              std::string::npos);
}

TEST_F(TextPanel, ListsEveryVisibleFaceAndVisibleLinkWithItsCaption)
{
    prestova::testing::fill_realistic_panel(panel);
    const std::string text = render();
    EXPECT_NE(text.find("Verdict      memGood, memOk\n"), std::string::npos);
    EXPECT_NE(text.find("Verdict      softok\n"), std::string::npos);
    EXPECT_NE(text.find("  Links        acrolink \"Acrobat Reader\"\n"
                        "               reallink \"Real Player\"\n"
                        "               ziplink1 \"JustZIPit\"\n"
                        "               ziplink2 \"WinZip\"\n\n"),
              std::string::npos);
    EXPECT_NE(text.find("Links        none\n"), std::string::npos);  // the browser row
    EXPECT_EQ(text.find("flashlink"), std::string::npos);
}

TEST_F(TextPanel, AFreshPanelHasNoVerdicts)
{
    const std::string text = render();
    EXPECT_EQ(occurrences(text, "Verdict      none\n"), 7u);
    EXPECT_NE(cell_line(text, "LabelMemAmount").find("(empty)"), std::string::npos);
}

TEST_F(TextPanel, EndsWithWhereTheRunStopped)
{
    EXPECT_NE(render().find("The run reached its end.\n"), std::string::npos);
    report.stopped = RunStop{"colours: bad colour (RedBadYRM)", 13, "Type mismatch"};
    const std::string text = render();
    EXPECT_NE(text.find("Run stopped at colours: bad colour (RedBadYRM): error 13: Type mismatch\n"),
              std::string::npos);
    EXPECT_EQ(text.find("reached its end"), std::string::npos);
}

TEST_F(TextPanel, ListsTheClicks)
{
    EXPECT_EQ(render().find("Link clicks"), std::string::npos);
    const std::string text = render({{"javalink", "C:\\IE\\iexplore.exe", "http://java.com/", 42, ""}});
    EXPECT_NE(text.find("\nLink clicks\n  javalink  result 42\n    file        \"C:\\IE\\iexplore.exe\"\n"
                        "    parameters  \"http://java.com/\"\n"),
              std::string::npos)
        << text;
}

TEST_F(TextPanel, NeverPassesTerminalControlsAndConvertsTheCodePage)
{
    panel.set_caption(ControlId::Label24, "Win\x1B[2Jdows \x9B caf\xE9");
    const std::string line = cell_line(render(), "Label24");
    EXPECT_EQ(line.find('\x1B'), std::string::npos);
    EXPECT_NE(line.find("Win\uFFFD[2Jdows \u203A caf\u00E9"), std::string::npos);
}

TEST_F(TextPanel, WrapsLongLinesWithADeeperIndent)
{
    prestova::testing::fill_realistic_panel(panel);
    const std::string text = render();
    for (std::size_t begin = 0, end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1) {
        EXPECT_LE(end - begin, 100u) << text.substr(begin, end - begin);
    }
    // The processor advice: its first piece on the cell's line, the rest two columns further in.
    const std::string first = cell_line(text, "Label17");
    const auto column = first.find("Your system");
    std::string joined = first.substr(column);
    const std::string indent(column + 2, ' ');
    for (auto at = text.find(first) + first.size() + 1; text.compare(at, indent.size(), indent) == 0;) {
        const auto end = text.find('\n', at);
        EXPECT_NE(text[at + indent.size()], ' ');
        joined.append(" ").append(text, at + indent.size(), end - at - indent.size());
        at = end + 1;
    }
    EXPECT_EQ(joined, panel.state(ControlId::Label17).caption);
}

}  // namespace
