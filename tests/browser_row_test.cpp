// The browser row end to end from a machine's registry.
#include "control_support.hpp"
#include "software_support.hpp"

#include <gtest/gtest.h>

using namespace prestova;
using namespace prestova::testing;
namespace sw = prestova::testing::software;
using enum ControlId;

namespace {

struct BrowserCase {
    std::string registry;
    Params page;
    std::string list;
    Verdict verdict;
};

std::unique_ptr<TestControl> run(const std::string& registry, const Params& page)
{
    MachineFacts facts;
    facts.registry = registry;
    auto t = std::make_unique<TestControl>(facts.profile());
    t->load(with(full_page(), page));
    const RunReport report = t->control.show();
    EXPECT_FALSE(report.stopped);
    return t;
}

std::string advice(Verdict v, const std::string& ie_version, const std::string& installed)
{
    if (v == Verdict::Bad)
        return "You do not have Internet Explorer installed or have an outdated version installed (Minimum Version: " +
               ie_version +
               "). Please click the link above to install the latest version of Internet Explorer which is required "
               "to use Marvanta's online systems.";
    if (v == Verdict::Okay)
        return "You have Internet Explorer version " + installed +
               " installed, but it is not your default browser. You must use Internet Explorer version " + ie_version +
               " or above to access Marvanta's online systems.";
    return "You have Internet Explorer " + ie_version +
           " or newer installed and set as your default browser. Please remember to use Internet Explorer to access "
           "Marvanta's online systems.";
}

class BrowserRow : public ::testing::TestWithParam<BrowserCase> {};

TEST_P(BrowserRow, ListsBrowsersAndJudgesInternetExplorer)
{
    const auto& c = GetParam();
    auto t = run(c.registry, c.page);
    EXPECT_EQ(t->caption(Label33), c.list);
    EXPECT_EQ(t->visible(browsgood), c.verdict == Verdict::Good);
    EXPECT_EQ(t->visible(browsok), c.verdict == Verdict::Okay);
    EXPECT_EQ(t->visible(browsbad), c.verdict == Verdict::Bad);
    EXPECT_EQ(t->visible(explorerLink), c.verdict == Verdict::Bad);
    std::string ie = "5.5";
    for (const auto& [k, v] : c.page)
        if (k == "IEVersion") ie = v;
    const auto pos = c.list.find("Internet Explorer ");
    const std::string installed =
        pos == std::string::npos ? "" : c.list.substr(pos + 18, c.list.find(' ', pos + 18) - pos - 18);
    EXPECT_EQ(t->caption(Label34), advice(c.verdict, ie, installed));
    EXPECT_EQ(t->background(Label34), rgb(172, 207, 251));
}

const char* kNav = "SOFTWARE\\Netscape\\Netscape Navigator";
const char* kNs6 = "SOFTWARE\\Netscape\\Netscape 6";
const char* kNs = "SOFTWARE\\Netscape\\Netscape";
const char* kAmaya = "SOFTWARE\\W3C - INRIA\\Amaya";
const char* kAmayaWX = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AmayaWX";
const char* kOpera = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Opera.exe";
const char* kMozilla = "SOFTWARE\\mozilla.org\\Mozilla";
const char* kFirefox = "SOFTWARE\\Mozilla\\Mozilla Firefox";

INSTANTIATE_TEST_SUITE_P(
    Browsers, BrowserRow,
    ::testing::Values(
        BrowserCase{"", {}, "", Verdict::Bad},
        BrowserCase{sw::explorer("6.0000", sw::kIeCommand),
                    {},
                    "Internet Explorer 6.0 installed.\rDefault browser is Internet Explorer.",
                    Verdict::Good},
        BrowserCase{sw::explorer("6.0.2800.1106", "C:\\PROGRA~1\\INTERN~1\\IEXPLORE.EXE -nohome"),
                    {},
                    "Internet Explorer 6.0 installed.\rDefault browser is Internet Explorer.",
                    Verdict::Good},
        BrowserCase{sw::explorer("6.0000", "\"C:\\Program Files\\Mozilla Firefox\\firefox.exe\" -url \"%1\""),
                    {},
                    "Internet Explorer 6.0 installed.\r",
                    Verdict::Okay},
        BrowserCase{sw::explorer("6.0000"), {}, "Internet Explorer 6.0 installed.\r", Verdict::Okay},
        BrowserCase{sw::explorer("5.0002", sw::kIeCommand), {}, "Internet Explorer 5.0 installed.\r", Verdict::Bad},
        BrowserCase{sw::explorer("10.0000", sw::kIeCommand), {}, "Internet Explorer 10.0 installed.\r", Verdict::Bad},
        BrowserCase{sw::explorer("5.5000", sw::kIeCommand),
                    {{"IEVersion", "5.5"}},
                    "Internet Explorer 5.5 installed.\rDefault browser is Internet Explorer.",
                    Verdict::Good},
        BrowserCase{sw::explorer("4.0", sw::kIeCommand),
                    {{"IEVersion", ""}},
                    "Internet Explorer 4.0 installed.\rDefault browser is Internet Explorer.",
                    Verdict::Good},
        BrowserCase{sw::browser(kNav, "CurrentVersion", "4.78 (en)"), {}, "Netscape 4.78 installed.\r", Verdict::Bad},
        BrowserCase{sw::browser(kNav, "CurrentVersion", "5.0, Opera"), {}, "", Verdict::Bad},
        BrowserCase{sw::browser(kNav, "CurrentVersion", "6.2"), {}, "", Verdict::Bad},
        BrowserCase{sw::browser(kNav), {}, "", Verdict::Bad},  // "No" is not lower than "5.0, Opera"
        BrowserCase{sw::browser(kNs6, "CurrentVersion", "6.2.3 (en)"), {}, "Netscape 6.2.3 installed.\r", Verdict::Bad},
        BrowserCase{sw::browser(kNs6, "CurrentVersion", "7.1"), {}, "", Verdict::Bad},
        BrowserCase{sw::browser(kNs6, "CurrentVersion", "10.0"), {}, "Netscape 10.0 installed.\r", Verdict::Bad},
        BrowserCase{sw::browser(kNs, "CurrentVersion", "7.1 (en-US)"), {}, "Netscape 7.1 installed.\r", Verdict::Bad},
        BrowserCase{sw::browser(kNs, "CurrentVersion", ""), {}, "Netscape  installed.\r", Verdict::Bad},
        BrowserCase{sw::browser(kNs, "CurrentVersion", "(beta)"), {}, "Netscape (beta) installed.\r", Verdict::Bad},
        BrowserCase{sw::browser(kAmaya) + sw::browser(kAmayaWX, "DisplayVersion", " 9.1 (x) "),
                    {},
                    "Amaya Installed.\rAmayaWX 9.1 (x) installed.\r",
                    Verdict::Bad},
        BrowserCase{sw::browser(kAmayaWX), {}, "AmayaWX No installed.\r", Verdict::Bad},
        BrowserCase{sw::browser(kOpera) + sw::browser(kMozilla, "CurrentVersion", "1.7.12 (en)"),
                    {},
                    "Opera Installed.\rMozilla 1.7.12 installed.\r",
                    Verdict::Bad},
        BrowserCase{sw::browser(kMozilla), {}, "Mozilla No installed.\r", Verdict::Bad},
        BrowserCase{sw::browser(kFirefox, "CurrentVersion", "1.5.0.4 (en-US)"),
                    {},
                    "Firefox 1.5.0.4 installed.\r",
                    Verdict::Bad},
        BrowserCase{sw::browser(kNav, "CurrentVersion", "4.78") + sw::browser(kNs6, "CurrentVersion", "6.2") +
                        sw::browser(kNs, "CurrentVersion", "7.0") + sw::browser(kAmaya) + sw::browser(kOpera) +
                        sw::browser(kMozilla, "CurrentVersion", "1.7") +
                        sw::browser(kFirefox, "CurrentVersion", "2.0") + sw::explorer("7.0000", sw::kIeCommand),
                    {{"IEVersion", "6.0"}},
                    "Netscape 4.78 installed.\rNetscape 6.2 installed.\rNetscape 7.0 installed.\rAmaya Installed.\r"
                    "Opera Installed.\rMozilla 1.7 installed.\rFirefox 2.0 installed.\rInternet Explorer 7.0 "
                    "installed.\rDefault browser is Internet Explorer.",
                    Verdict::Good}));

TEST(BrowserRow, ASecondShowStartsTheListAfresh)
{
    auto t = run(sw::browser(kFirefox, "CurrentVersion", "2.0") + sw::explorer("6.0"), {});
    t->control.show();
    EXPECT_EQ(t->caption(Label33), "Firefox 2.0 installed.\rInternet Explorer 6.0 installed.\r");
    EXPECT_TRUE(t->visible(browsok));
}

TEST(BrowserRow, ASecondVerdictLeavesTheFirstIconAndTheLink)
{
    auto t = run(sw::explorer("5.0", sw::kIeCommand), {{"IEVersion", "5.5"}});
    EXPECT_TRUE(t->visible(browsbad));
    t->control.put(Prop::IEVersion, Variant("5.0"));
    t->control.show();
    EXPECT_TRUE(t->visible(browsbad));
    EXPECT_TRUE(t->visible(browsgood));
    EXPECT_TRUE(t->visible(explorerLink));
}

}  // namespace
