// What the command line cannot ask the simulated machine: version records
// and memory status records of sizes the checks never use. Its screen,
// device capabilities, disks, objects and shell are in the cases
// (video, call, disk, software and links).
#include "platform/simulated/simulated_machine.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace prestova;

namespace {

MachineProfile profile(std::string_view text) { return parse_machine_profile(text, "m.machine", "."); }

const char* const kXp =
    "[windows]\nplatform_id = 2\nmajor = 5\nminor = 1\nbuild = 2600\nservice_pack = Service Pack 2\n"
    "product_type = 3\n[memory]\ntotal_physical = 536870912\n";

std::string text(std::uint64_t n) { return std::to_string(n); }

}  // namespace

// The basic record (148 bytes) everywhere, the extended one (156) only where
// the system knows it, no other size; a refused record is left as it was
// (every field 77 here).
TEST(SimulatedSystem, FillsTheVersionRecordItsSizeAsksFor)
{
    SimulatedMachine xp(profile(kXp)),
        w98(profile("[windows]\nplatform_id = 1\nmajor = 4\nminor = 10\nbuild = 0x040A07CE\n"));
    std::string records;
    for (const auto& [machine, size] :
         {std::pair{&xp, 148u}, {&xp, 156u}, {&w98, 148u}, {&w98, 156u}, {&xp, 0u}, {&xp, 152u}, {&xp, 152u}}) {
        OsVersionInfo info;
        info.size = size;
        info.major = info.minor = info.build = info.platform_id = 77;
        info.service_pack.fill('x');
        info.service_pack_major = info.service_pack_minor = info.suite_mask = info.product_type = info.reserved = 77;
        const auto& sp = info.service_pack;
        const auto fields = [&] {
            return text(info.platform_id) + " " + text(info.major) + "." + text(info.minor) + "." + text(info.build) +
                   " '" + std::string(sp.begin(), std::find(sp.begin(), sp.end(), 0)) + "' " +
                   text(info.service_pack_major) + "." + text(info.service_pack_minor) + " " + text(info.suite_mask) +
                   " " + text(info.product_type) + " " + text(info.reserved);
        };
        const std::string before = fields();
        const bool answered = machine->system().get_version(info);
        const std::string after = fields();
        records += text(size) + ": " + (answered ? after : after == before ? "refused" : "changed") + "\n";
    }
    EXPECT_EQ(records,
              "148: 2 5.1.2600 'Service Pack 2' 77.77 77 77 77\n156: 2 5.1.2600 'Service Pack 2' 2.0 0 3 0\n"
              "148: 1 4.10.67766222 '' 77.77 77 77 77\n156: refused\n0: refused\n152: refused\n152: refused\n");
}

// The memory status only for its length and a known total.
TEST(SimulatedSystem, FillsTheMemoryStatusOfItsLength)
{
    SimulatedMachine m(profile(kXp)), bare(profile("[windows]\n"));
    for (const auto& [machine, length, total] : {std::tuple{&m, 64u, 536870912u}, {&m, 32u, 0u}, {&bare, 64u, 0u}}) {
        MemoryStatus status{length, 5};
        EXPECT_EQ(machine->system().memory_status(status), total != 0) << length;
        EXPECT_EQ(status.total_physical, total ? total : 5u) << length;
    }
}
