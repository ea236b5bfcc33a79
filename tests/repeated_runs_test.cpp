// A page may raise the check again and again in one process (a student
// pressing the button, a kiosk left open): what the simulated machine
// records about the runs must be the same after the thousandth run as after
// the first, so memory stays flat however long the control lives.
#include "session/control_setup.hpp"
#include "platform/simulated/simulated_machine.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using namespace prestova;

namespace {

const std::string kSource = PRESTOVA_SOURCE_DIR;

// Everything the machine keeps about the runs made on it.
struct Recorded {
    std::vector<std::string> tried;  // object identifiers
    std::size_t open_handles = 0;    // registry keys left open
    std::size_t launches = 0;        // programs started

    bool operator==(const Recorded&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Recorded& r)
{
    out << r.tried.size() << " identifiers tried (";
    for (const auto& id : r.tried) out << ' ' << id;
    return out << " ), " << r.open_handles << " open keys, " << r.launches << " launches";
}

Recorded recorded(SimulatedMachine& machine)
{
    return Recorded{.tried = machine.objects().tried(),
                    .open_handles = machine.registry().open_handle_count(),
                    .launches = machine.shell().launches().size()};
}

struct Case {
    const char* profile;
    bool init;                // a fresh control instead of the sample page's params
    std::size_t identifiers;  // object identifiers a run tries (none without a Flash association)
};

class RepeatedRuns : public ::testing::TestWithParam<Case> {};

TEST_P(RepeatedRuns, RecordNoMoreAfterAThousandRunsThanAfterOne)
{
    const Case& c = GetParam();
    SimulatedMachine machine(load_machine_profile(kSource + "/profiles/" + c.profile + ".machine"));
    auto session = ControlSession::open(
        machine.platform(), c.profile,
        PageSettings{.page = c.init ? std::nullopt : std::optional<std::string>(kSource + "/pages/sample.html"),
                     .params = {},
                     .init = c.init});
    session->control.show();
    const Recorded first = recorded(machine);
    EXPECT_EQ(first.tried.size(), c.identifiers) << first;
    for (int run = 2; run <= 1000; ++run) session->control.show();
    EXPECT_EQ(recorded(machine), first);
}

INSTANTIATE_TEST_SUITE_P(Profiles, RepeatedRuns,
                         ::testing::Values(Case{.profile = "xp-laptop-2005", .init = false, .identifiers = 9},
                                           Case{.profile = "xp-laptop-2005", .init = true, .identifiers = 9},
                                           Case{.profile = "win98-desktop", .init = false, .identifiers = 9},
                                           Case{.profile = "win7-desktop", .init = false, .identifiers = 9},
                                           Case{.profile = "server2008-r2", .init = false, .identifiers = 0},
                                           Case{.profile = "uhd-nearly-full", .init = false, .identifiers = 9},
                                           Case{.profile = "student-2006-equipped", .init = false, .identifiers = 9},
                                           Case{.profile = "bare-xp", .init = false, .identifiers = 0}),
                         [](const auto& info) {
                             std::string name = info.param.profile;
                             for (char& ch : name)
                                 if (ch == '-') ch = '_';
                             return info.param.init ? name + "_init" : name;
                         });

}  // namespace
