// The simulated machine's version record, screen, device capabilities,
// memory and disk queries, object creation and shell.
#include "platform/simulated/simulated_machine.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace prestova;

namespace {

MachineProfile profile(std::string_view text) { return parse_machine_profile(text, "m.machine", "."); }

const char* const kXp =
    "[windows]\nplatform_id = 2\nmajor = 5\nminor = 1\nbuild = 2600\nservice_pack = Service Pack 2\nproduct_type = 3\n"
    "[screen]\nwidth = 1024\nheight = 768\ntwips_per_pixel = 12\nbits_per_pixel = 24\nplanes = 1\nhdc = 500\n"
    "[memory]\ntotal_physical = 536870912\n[disk]\nc_free = 40000000000\nc_total = 60000000000\nd_free = 7\n"
    "[objects]\ncreatable = ShockwaveFlash.ShockwaveFlash.7\n"
    "[shell]\nprograms = C:\\Program Files\\Internet Explorer\\iexplore.exe\n";

std::string text(std::uint64_t n) { return std::to_string(n); }

}  // namespace

// The basic record (148 bytes) everywhere, the extended one (156) only where
// the system knows it, no other size; a refused record is left as it was
// (every field 77 here). Each request is counted by its size.
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
    EXPECT_EQ(std::vector<int>({xp.system().version_calls(148), xp.system().version_calls(152),
                                xp.system().version_calls(100), w98.system().version_calls(156)}),
              std::vector<int>({1, 2, 0, 1}));
}

// The screen in twips; capabilities only of the control's own device context
// and only those simulated; the memory status only for its length and a
// known total; free space by drive letter, a drive's size its free space
// unless given.
TEST(SimulatedSystem, ScreenMemoryAndDisks)
{
    SimulatedMachine m(profile(kXp)), bare(profile("[windows]\n"));
    const ScreenSize s = m.system().screen_size();
    EXPECT_EQ(std::vector<double>({s.width_twips, s.height_twips, s.twips_per_pixel_x, s.twips_per_pixel_y,
                                   bare.system().screen_size().width_twips}),
              std::vector<double>({1024 * 12, 768 * 12, 12, 12, 1024 * 15}));
    EXPECT_EQ(std::vector<int>({m.system().control_device_context(), m.system().device_caps(500, devcaps::BitsPixel),
                                m.system().device_caps(500, devcaps::Planes), m.system().device_caps(500, 8),
                                m.system().device_caps(501, devcaps::Planes)}),
              std::vector<int>({500, 24, 1, 0, 0}));
    for (const auto& [machine, length, total] : {std::tuple{&m, 64u, 536870912u}, {&m, 32u, 0u}, {&bare, 64u, 0u}}) {
        MemoryStatus status{length, 5};
        EXPECT_EQ(machine->system().memory_status(status), total != 0) << length;
        EXPECT_EQ(status.total_physical, total ? total : 5u) << length;
    }
    DiskFreeSpace space;
    for (const char* refused : {"E:", "", "C", "CC:", "Cx", "C:x", "\\"})
        EXPECT_FALSE(m.system().disk_free_space(refused, space)) << refused;
    const auto answer = [&](const char* directory) {
        EXPECT_TRUE(m.system().disk_free_space(directory, space)) << directory;
        return std::vector({space.free_to_caller, space.total_free, space.total});
    };
    for (const char* c : {"C:", "c:", "C:\\", "C:\\WINDOWS\\system32"})
        EXPECT_EQ(answer(c), std::vector<std::uint64_t>({40000000000, 40000000000, 60000000000})) << c;
    EXPECT_EQ(answer("d:\\"), std::vector<std::uint64_t>({7, 7, 7}));
}

// Objects are created by identifier without regard to case, and each
// identifier tried is remembered once, in the order first tried. Every
// launch is recorded; only programs the machine has start (42), others fail
// with file not found (2).
TEST(SimulatedObjectsAndShell, CreateAndStartOnlyWhatTheMachineHasAndRememberWhatWasTried)
{
    SimulatedMachine m(profile(kXp));
    std::string created;
    for (int run = 0; run < 2; ++run)
        for (const char* id : {"ShockwaveFlash.ShockwaveFlash.8", "shockwaveflash.SHOCKWAVEFLASH.7",
                               "ShockwaveFlash.ShockwaveFlash.7", ""})
            created += m.objects().try_create(id) ? "y" : "n";
    EXPECT_EQ(created, "nyynnyyn");
    EXPECT_EQ(m.objects().tried(),
              (std::vector<std::string>{"ShockwaveFlash.ShockwaveFlash.8", "shockwaveflash.SHOCKWAVEFLASH.7", ""}));
    Shell& shell = m.platform().shell;
    EXPECT_EQ(shell.execute("c:\\program files\\internet explorer\\IEXPLORE.EXE", "http://a.example/", 1), 42);
    EXPECT_EQ(shell.execute("C:\\Program Files\\Opera\\opera.exe", "http://b.example/", 3), 2);
    EXPECT_EQ(shell.execute("", "", 1), 2);
    std::string launches;
    for (const auto& l : m.shell().launches())
        launches += l.file + "|" + l.parameters + "|" + text(l.show_command) + "|" + text(l.result) + "\n";
    EXPECT_EQ(launches, "c:\\program files\\internet explorer\\IEXPLORE.EXE|http://a.example/|1|42\n"
                        "C:\\Program Files\\Opera\\opera.exe|http://b.example/|3|2\n||1|2\n");
}
