// The simulated machine's version record, screen, device capabilities,
// memory and disk queries, object creation and shell.
#include "platform/simulated/simulated_machine.hpp"

#include <gtest/gtest.h>

#include <cstring>

using namespace prestova;

namespace {

MachineProfile profile(std::string_view text) { return parse_machine_profile(text, "m.machine", "."); }

const char* const kXp =
    "[windows]\nplatform_id = 2\nmajor = 5\nminor = 1\nbuild = 2600\n"
    "service_pack = Service Pack 2\nproduct_type = 3\n"
    "[screen]\nwidth = 1024\nheight = 768\ntwips_per_pixel = 12\nbits_per_pixel = 24\nplanes = 1\nhdc = 500\n"
    "[memory]\ntotal_physical = 536870912\n"
    "[disk]\nc_free = 40000000000\nc_total = 60000000000\n"
    "[objects]\ncreatable = ShockwaveFlash.ShockwaveFlash.7\n"
    "[locale]\ndecimal_separator = ,\n"
    "[shell]\nprograms = C:\\Program Files\\Internet Explorer\\iexplore.exe\n";
const char* const kWin98 = "[windows]\nplatform_id = 1\nmajor = 4\nminor = 10\nbuild = 0x040A07CE\n";

OsVersionInfo marked_record(std::uint32_t size)
{
    OsVersionInfo info;
    info.size = size;
    info.major = info.minor = info.build = info.platform_id = 77;
    info.service_pack.fill(' ');
    info.product_type = 77;
    return info;
}

}  // namespace

TEST(SimulatedSystem, BasicRecordFillsOnlyTheBasicFields)
{
    SimulatedMachine m(profile(kXp));
    OsVersionInfo info = marked_record(OsVersionInfo::BasicSize);
    ASSERT_TRUE(m.system().get_version(info));
    EXPECT_EQ(info.platform_id, 2u);
    EXPECT_EQ(info.major, 5u);
    EXPECT_EQ(info.minor, 1u);
    EXPECT_EQ(info.build, 2600u);
    EXPECT_STREQ(info.service_pack.data(), "Service Pack 2");
    EXPECT_EQ(info.product_type, 77);  // not part of the basic record
}

TEST(SimulatedSystem, ExtendedRecordOnlyWhereTheSystemKnowsIt)
{
    SimulatedMachine xp(profile(kXp));
    OsVersionInfo info = marked_record(OsVersionInfo::ExtendedSize);
    ASSERT_TRUE(xp.system().get_version(info));
    EXPECT_EQ(info.product_type, 3);
    EXPECT_EQ(info.service_pack_major, 2);
    EXPECT_EQ(info.build, 2600u);

    SimulatedMachine w98(profile(kWin98));
    info = marked_record(OsVersionInfo::ExtendedSize);
    EXPECT_FALSE(w98.system().get_version(info));
    EXPECT_EQ(info.platform_id, 77u);  // left as it was
    EXPECT_EQ(info.product_type, 77);
    info = marked_record(OsVersionInfo::BasicSize);
    ASSERT_TRUE(w98.system().get_version(info));
    EXPECT_EQ(info.build, 0x040A07CEu);

    for (const std::uint32_t size : {0u, 147u, 152u, 284u}) {
        info = marked_record(size);
        EXPECT_FALSE(xp.system().get_version(info)) << size;
        EXPECT_EQ(info.major, 77u);
    }
    EXPECT_EQ(w98.system().version_calls(OsVersionInfo::ExtendedSize), 1);
    EXPECT_EQ(w98.system().version_calls(OsVersionInfo::BasicSize), 1);
    EXPECT_EQ(xp.system().version_calls(OsVersionInfo::ExtendedSize), 1);
    EXPECT_EQ(xp.system().version_calls(152), 1);
    EXPECT_EQ(xp.system().version_calls(OsVersionInfo::BasicSize), 0);
}

TEST(SimulatedSystem, ScreenInTwipsAndCapabilitiesOfTheControlsDeviceContext)
{
    SimulatedMachine m(profile(kXp));
    const ScreenSize s = m.system().screen_size();
    EXPECT_EQ(s.width_twips, 1024 * 12);
    EXPECT_EQ(s.height_twips, 768 * 12);
    EXPECT_EQ(s.twips_per_pixel_x, 12);
    EXPECT_EQ(s.twips_per_pixel_y, 12);
    const std::int32_t hdc = m.system().control_device_context();
    EXPECT_EQ(hdc, 500);
    EXPECT_EQ(m.system().device_caps(hdc, devcaps::BitsPixel), 24);
    EXPECT_EQ(m.system().device_caps(hdc, devcaps::Planes), 1);
    EXPECT_EQ(m.system().device_caps(hdc, 8), 0);  // an index nobody simulates
    EXPECT_EQ(m.system().device_caps(0, devcaps::BitsPixel), 0);
    EXPECT_EQ(m.system().device_caps(501, devcaps::Planes), 0);
    EXPECT_EQ(SimulatedMachine(profile("")).system().screen_size().width_twips, 1024 * 15);
}

TEST(SimulatedSystem, MemoryStatusNeedsItsLengthAndAKnownTotal)
{
    SimulatedMachine m(profile(kXp));
    MemoryStatus status{64, 5};
    ASSERT_TRUE(m.system().memory_status(status));
    EXPECT_EQ(status.total_physical, 536870912u);
    status = {32, 5};
    EXPECT_FALSE(m.system().memory_status(status));
    EXPECT_EQ(status.total_physical, 5u);
    SimulatedMachine unknown(profile("[windows]\n"));
    status = {64, 5};
    EXPECT_FALSE(unknown.system().memory_status(status));
    EXPECT_EQ(status.total_physical, 5u);
}

TEST(SimulatedSystem, DiskSpaceByDriveLetter)
{
    SimulatedMachine m(profile(kXp));
    const struct {
        const char* directory;
        bool answers;
    } cases[] = {{"C:", true},   {"c:", true}, {"C:\\", true}, {"C:\\WINDOWS\\system32", true},
                 {"D:", false},  {"", false},  {"C", false},   {"CC:", false},
                 {"C:x", false}, {"\\", false}};
    for (const auto& c : cases) {
        DiskFreeSpace space{1, 2, 3};
        EXPECT_EQ(m.system().disk_free_space(c.directory, space), c.answers) << c.directory;
        if (!c.answers) continue;
        EXPECT_EQ(space.free_to_caller, 40000000000u);
        EXPECT_EQ(space.total_free, 40000000000u);
        EXPECT_EQ(space.total, 60000000000u);
    }
    EXPECT_EQ(m.system().decimal_separator(), ',');
}

TEST(SimulatedObjects, CreatesListedIdentifiersWithoutRegardToCase)
{
    SimulatedMachine m(profile(kXp));
    EXPECT_TRUE(m.objects().try_create("shockwaveflash.SHOCKWAVEFLASH.7"));
    EXPECT_FALSE(m.objects().try_create("ShockwaveFlash.ShockwaveFlash.8"));
    EXPECT_FALSE(m.objects().try_create(""));
    EXPECT_EQ(m.objects().tried(),
              (std::vector<std::string>{"shockwaveflash.SHOCKWAVEFLASH.7", "ShockwaveFlash.ShockwaveFlash.8", ""}));
}

TEST(SimulatedObjects, RemembersEachIdentifierTriedOnceInTheOrderFirstTried)
{
    SimulatedMachine m(profile(kXp));
    for (int run = 0; run < 3; ++run) {
        EXPECT_FALSE(m.objects().try_create("ShockwaveFlash.ShockwaveFlash.8"));
        EXPECT_TRUE(m.objects().try_create("ShockwaveFlash.ShockwaveFlash.7"));
        EXPECT_TRUE(m.objects().try_create("SHOCKWAVEFLASH.shockwaveflash.7"));
    }
    EXPECT_EQ(m.objects().tried(),
              (std::vector<std::string>{"ShockwaveFlash.ShockwaveFlash.8", "ShockwaveFlash.ShockwaveFlash.7"}));
}

TEST(SimulatedShell, RecordsEveryLaunchAndStartsOnlyProgramsThatExist)
{
    SimulatedMachine m(profile(kXp));
    Shell& shell = m.platform().shell;
    EXPECT_EQ(shell.execute("c:\\program files\\internet explorer\\IEXPLORE.EXE", "http://a.example/", 1), 42);
    EXPECT_EQ(shell.execute("C:\\Program Files\\Opera\\opera.exe", "http://b.example/", 1), 2);
    EXPECT_EQ(shell.execute("", "http://c.example/", 1), 2);
    const auto& launches = m.shell().launches();
    ASSERT_EQ(launches.size(), 3u);
    EXPECT_EQ(launches[0].file, "c:\\program files\\internet explorer\\IEXPLORE.EXE");
    EXPECT_EQ(launches[0].parameters, "http://a.example/");
    EXPECT_EQ(launches[0].show_command, 1);
    EXPECT_EQ(launches[0].result, 42);
    EXPECT_EQ(launches[1].result, 2);
}
