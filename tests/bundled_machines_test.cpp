// Every bundled machine against the sample page, end to end: which verdict
// icons and download links the student sees.
#include "session/control_setup.hpp"

#include <gtest/gtest.h>

#include <set>

using namespace prestova;

namespace {

const std::string kSource = PRESTOVA_SOURCE_DIR;

struct Machine {
    const char* name;
    std::set<std::string> shown;  // icons and links
    const char* operating_system;
};

class BundledMachines : public ::testing::TestWithParam<Machine> {};

TEST_P(BundledMachines, ShowTheirVerdictsAndLinks)
{
    auto session = ControlSession::open(kSource + "/profiles/" + GetParam().name + ".machine",
                                        kSource + "/pages/sample.html", {}, false);
    const RunReport report = session->control.show();
    ASSERT_FALSE(report.stopped) << report.stopped->step;
    std::set<std::string> shown;
    for (const auto& c : panel_design())
        if ((c.kind == ControlKind::Icon || c.style == CellStyle::Link) && session->panel.state(c.id).visible)
            shown.emplace(c.name);
    EXPECT_EQ(shown, GetParam().shown);
    EXPECT_EQ(session->panel.caption(ControlId::Label24), GetParam().operating_system);
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, BundledMachines,
    ::testing::Values(Machine{"xp-laptop-2005",
                              {"memGood", "procgood", "diskgood", "videogood", "osgood", "softgood", "browsgood"},
                              "Windows XP"},
                      Machine{"win98-desktop",
                              {"memBad", "procbad", "diskbad", "videobad", "osok", "acrolink", "flashlink", "reallink",
                               "ziplink1", "ziplink2", "javalink", "softok", "explorerLink", "browsbad"},
                              "Windows 98"},
                      Machine{
                          "win7-desktop",
                          {"memGood", "procgood", "diskgood", "videogood", "osgood", "acrolink", "softok", "browsok"},
                          "Windows 7"},
                      Machine{"server2008-r2",
                              {"memGood", "procgood", "diskgood", "videogood", "osgood", "acrolink", "flashlink",
                               "reallink", "ziplink1", "ziplink2", "javalink", "softok", "browsgood"},
                              "Windows Server 2008 R2"},
                      Machine{"uhd-nearly-full",
                              {"memGood", "procgood", "diskbad", "videogood", "osgood", "softgood", "browsgood"},
                              "Windows 7"},
                      Machine{"student-2006-equipped",
                              {"memGood", "procgood", "diskgood", "videogood", "osgood", "softgood", "browsgood"},
                              "Windows XP"},
                      Machine{"bare-xp",
                              {"memGood", "procgood", "diskgood", "videook", "osgood", "acrolink", "flashlink",
                               "reallink", "ziplink1", "ziplink2", "javalink", "softok", "browsok"},
                              "Windows XP"}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& c : n)
            if (c == '-') c = '_';
        return n;
    });

}  // namespace
