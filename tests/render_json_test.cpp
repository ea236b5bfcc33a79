#include "render/panel_render.hpp"
#include "render_json_support.hpp"
#include "render_panel_support.hpp"

#include <gtest/gtest.h>

using namespace prestova;
using prestova::testing::JsonReader;
using prestova::testing::JsonValue;

namespace {

struct JsonPanel : ::testing::Test {
    PanelState panel;
    RunReport report;
    JsonValue render(std::vector<LinkClick> clicks = {}, std::string machine = "xp-laptop")
    {
        return JsonReader::parse(render_json(PanelView{panel, report, std::move(clicks), std::move(machine)}));
    }
};

TEST_F(JsonPanel, TopLevelKeysComeInAFixedOrder)
{
    const JsonValue doc = render();
    EXPECT_EQ(doc.keys(), (std::vector<std::string>{"machine", "stopped", "controls", "clicks"}));
    EXPECT_EQ(doc["machine"].text, "xp-laptop");
    EXPECT_EQ(doc["stopped"].type, JsonValue::Type::Null);
    EXPECT_EQ(doc["clicks"].type, JsonValue::Type::Array);
    EXPECT_TRUE(doc["clicks"].items.empty());
}

TEST_F(JsonPanel, CarriesEveryControlInDesignOrderWithItsLiveState)
{
    prestova::testing::fill_realistic_panel(panel);
    const JsonValue doc = render();
    const auto& controls = doc["controls"].items;
    ASSERT_EQ(controls.size(), kControlCount);
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const ControlDesign& d = panel_design()[i];
        const ControlState& s = panel.state(d.id);
        const JsonValue& c = controls[i];
        SCOPED_TRACE(std::string(d.name));
        EXPECT_EQ(c.keys(), (std::vector<std::string>{"name", "kind", "caption", "visible", "background"}));
        EXPECT_EQ(c["name"].text, d.name);
        EXPECT_EQ(c["kind"].text, d.kind == ControlKind::Label  ? "label"
                                  : d.kind == ControlKind::Icon ? "icon"
                                                                : "line");
        EXPECT_EQ(c["caption"].text, s.caption);  // all ASCII here, so UTF-8 equals the code page
        EXPECT_EQ(c["visible"].boolean, s.visible);
        EXPECT_EQ(c["background"].type, JsonValue::Type::Number);
        EXPECT_EQ(c["background"].text, std::to_string(s.background));
    }
}

TEST_F(JsonPanel, EscapesLineBreaksQuotesAndControlCharacters)
{
    panel.set_caption(ControlId::Label28, "Adobe \"Reader\"\rC:\\Program Files\x01\t");
    const std::string json = render_json(PanelView{panel, report, {}, ""});
    EXPECT_NE(json.find(R"("Adobe \"Reader\"\rC:\\Program Files\u0001\t")"), std::string::npos);
    const JsonValue doc = JsonReader::parse(json);
    EXPECT_EQ(doc["controls"].items[static_cast<std::size_t>(ControlId::Label28)]["caption"].text,
              "Adobe \"Reader\"\rC:\\Program Files\x01\t");
}

TEST_F(JsonPanel, ReportsWhereTheRunStopped)
{
    report.stopped = RunStop{"memory: verdict against MemoryMin", 13, "Type mismatch: \"lots\""};
    const JsonValue doc = render();
    const JsonValue& stop = doc["stopped"];
    EXPECT_EQ(stop.keys(), (std::vector<std::string>{"step", "error", "message"}));
    EXPECT_EQ(stop["step"].text, "memory: verdict against MemoryMin");
    EXPECT_EQ(stop["error"].text, "13");
    EXPECT_EQ(stop["message"].text, "Type mismatch: \"lots\"");
}

TEST_F(JsonPanel, ListsClicksInOrder)
{
    const JsonValue doc =
        render({{"javalink", "C:\\Program Files\\Internet Explorer\\iexplore.exe", "http://java.com/?a=1&b=2", 42, ""},
                {"acrolink", "http://get.adobe.com/reader/", "", 2, ""},
                {"ziplink1", "", "", 0, "address refused, nothing opened"}});
    const auto& clicks = doc["clicks"].items;
    ASSERT_EQ(clicks.size(), 3u);
    EXPECT_EQ(clicks[0].keys(), (std::vector<std::string>{"link", "file", "parameters", "result", "refused"}));
    EXPECT_EQ(clicks[0]["file"].text, "C:\\Program Files\\Internet Explorer\\iexplore.exe");
    EXPECT_EQ(clicks[0]["parameters"].text, "http://java.com/?a=1&b=2");
    EXPECT_EQ(clicks[0]["result"].text, "42");
    EXPECT_EQ(clicks[1]["link"].text, "acrolink");
    EXPECT_EQ(clicks[1]["result"].text, "2");
    EXPECT_EQ(clicks[1]["refused"].type, JsonValue::Type::Null);
    // A refused click keeps the link's own name; the reason has its own field.
    EXPECT_EQ(clicks[2]["link"].text, "ziplink1");
    EXPECT_EQ(clicks[2]["refused"].text, "address refused, nothing opened");
}

TEST_F(JsonPanel, ATextThatIsNotUtf8IsReadAsCodePage)
{
    panel.set_caption(ControlId::Label24, "Windows\xA0XP \x80 caf\xE9");
    report.stopped = RunStop{"colours: RedYRM", 13, "Type mismatch: \"r\xF6t\""};
    const JsonValue doc = render({}, "caf\xE9");
    EXPECT_EQ(doc["controls"].items[static_cast<std::size_t>(ControlId::Label24)]["caption"].text,
              "Windows\u00A0XP \u20AC caf\u00E9");
    EXPECT_EQ(doc["machine"].text, "caf\u00E9");
    EXPECT_EQ(doc["stopped"]["message"].text, "Type mismatch: \"r\u00F6t\"");
}

TEST(JsonReaderSelfCheck, RefusesBrokenJson)
{
    for (const char* bad : {"{", "{\"a\" 1}", "[1,]", "\"a\rb\"", "{\"a\":1} x", "01", "\"\\x\""})
        EXPECT_THROW(JsonReader::parse(bad), std::runtime_error) << bad;
}

}  // namespace
