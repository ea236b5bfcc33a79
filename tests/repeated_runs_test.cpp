// A page may raise the check again and again in one process (a kiosk left
// open): what the simulated machine records about the runs (objects tried,
// registry keys left open, programs started) must be the same after the
// thousandth run as after the first, so memory stays flat.
#include "platform/simulated/simulated_machine.hpp"
#include "session/control_setup.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace prestova;

namespace {

TEST(RepeatedRuns, RecordNoMoreAfterAThousandRunsThanAfterOne)
{
    const std::string source = PRESTOVA_SOURCE_DIR;
    // Profile, a fresh control instead of the sample page's params, and the
    // object identifiers a run tries (none without a Flash association).
    const std::tuple<const char*, bool, std::size_t> cases[] = {
        {"xp-laptop-2005", false, 9}, {"xp-laptop-2005", true, 9},        {"win98-desktop", false, 9},
        {"win7-desktop", false, 9},   {"server2008-r2", false, 0},        {"uhd-nearly-full", false, 9},
        {"bare-xp", false, 0},        {"student-2006-equipped", false, 9}};
    for (const auto& [profile, init, identifiers] : cases) {
        SCOPED_TRACE(std::string(profile) + (init ? " --init" : ""));
        SimulatedMachine machine(load_machine_profile(source + "/profiles/" + profile + ".machine"));
        auto session = ControlSession::open(
            machine.platform(), profile,
            PageSettings{.page = init ? std::nullopt : std::optional<std::string>(source + "/pages/sample.html"),
                         .params = {},
                         .init = init});
        const auto recorded = [&] {
            return std::make_tuple(machine.objects().tried(), machine.registry().open_handle_count(),
                                   machine.shell().launches().size());
        };
        session->control.show();
        const auto first = recorded();
        EXPECT_EQ(std::get<0>(first).size(), identifiers);
        for (int run = 2; run <= 1000; ++run) session->control.show();
        EXPECT_EQ(recorded(), first);
    }
}

}  // namespace
