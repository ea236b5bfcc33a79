#include "control_support.hpp"
#include "probes/os_identification.hpp"

#include <gtest/gtest.h>

using namespace prestova;
using namespace prestova::testing;

namespace {

struct VersionCase {
    std::uint32_t platform_id, major, minor, build;
    int product_type;  // -1: the system answers only the basic record
    std::int32_t ordinal;
};

class VersionTable : public ::testing::TestWithParam<VersionCase> {};

std::string machine_text(const VersionCase& c)
{
    std::string text = "[windows]\nplatform_id = " + std::to_string(c.platform_id) +
                       "\nmajor = " + std::to_string(c.major) + "\nminor = " + std::to_string(c.minor) +
                       "\nbuild = " + std::to_string(c.build) + "\n";
    if (c.product_type >= 0) text += "product_type = " + std::to_string(c.product_type) + "\nextended_record = yes\n";
    else text += "extended_record = no\n";
    return text;
}

TEST_P(VersionTable, NamesTheRunningSystem)
{
    SimulatedMachine machine(machine_profile(machine_text(GetParam())));
    EXPECT_EQ(getVersion(machine.system()), GetParam().ordinal);
}

INSTANTIATE_TEST_SUITE_P(
    Systems, VersionTable,
    ::testing::Values(VersionCase{0, 3, 10, 0, -1, Windows31}, VersionCase{1, 4, 0, 950, -1, Windows95},
                      VersionCase{1, 4, 10, 0x040A08AE, -1, Windows98SE},  // 4.10 in the high word, 2222 below
                      VersionCase{1, 4, 10, 0x040A07CE, -1, Windows98},    // build 1998
                      VersionCase{1, 7, 10, 2222, -1, Windows98SE},        // the major version is not looked at
                      VersionCase{1, 4, 90, 3000, -1, WindowsMe}, VersionCase{1, 4, 20, 0, -1, Unknown},
                      VersionCase{2, 3, 51, 1057, -1, WindowsNT351}, VersionCase{2, 4, 0, 1381, -1, WindowsNT4},
                      VersionCase{2, 4, 0, 1381, 1, WindowsNT4},  // NT 4.0 SP6 answers the extended record
                      VersionCase{2, 5, 0, 2195, 1, Windows2000}, VersionCase{2, 5, 1, 2600, 1, WindowsXP},
                      VersionCase{2, 5, 2, 3790, 3, WindowsServer2003}, VersionCase{2, 5, 3, 0, 1, Unknown},
                      VersionCase{2, 6, 0, 6002, 1, WindowsVista}, VersionCase{2, 6, 0, 6002, 3, WindowsServer2008},
                      VersionCase{2, 6, 0, 6002, 2, WindowsServer2008}, VersionCase{2, 6, 1, 7601, 1, Windows7},
                      VersionCase{2, 6, 1, 7601, 3, WindowsServer2008R2},
                      VersionCase{2, 6, 1, 7601, 2, WindowsServer2008R2}, VersionCase{2, 6, 1, 7601, 0, Windows7},
                      VersionCase{2, 6, 1, 7601, 4, Windows7}, VersionCase{2, 6, 1, 7601, -1, Windows7},
                      VersionCase{2, 6, 2, 9200, 1, Unknown}, VersionCase{2, 10, 0, 19045, 1, Unknown},
                      VersionCase{3, 5, 1, 0, -1, Unknown}));

TEST(GetVersion, AsksForTheExtendedRecordFirstAndFallsBack)
{
    SimulatedMachine xp(machine_profile("[windows]\nplatform_id=2\nmajor=5\nminor=1\nproduct_type=1\n"));
    EXPECT_EQ(getVersion(xp.system()), WindowsXP);
    EXPECT_EQ(xp.system().version_calls(OsVersionInfo::ExtendedSize), 1);
    EXPECT_EQ(xp.system().version_calls(OsVersionInfo::BasicSize), 0);

    SimulatedMachine w95(machine_profile("[windows]\nplatform_id=1\nmajor=4\nminor=0\n"));
    EXPECT_EQ(getVersion(w95.system()), Windows95);
    EXPECT_EQ(w95.system().version_calls(OsVersionInfo::ExtendedSize), 1);
    EXPECT_EQ(w95.system().version_calls(OsVersionInfo::BasicSize), 1);
}

TEST(GetVersion, ASystemThatAnswersNothingReadsAsPlatformZero)
{
    OsVersionInfo blank;
    EXPECT_EQ(ordinal_of(blank), Windows31);
}

TEST(OsNames, ExactWholeTextLookup)
{
    const std::pair<const char*, std::int32_t> cases[] = {
        {"Windows 98SE", 5}, {"Windows 98 SE", 0}, {"Windows Server 2008", 12}, {"Windows Server 2008 R2", 13},
        {"Windows XP", 9},   {"windows xp", 0},    {" Windows XP", 0},          {"Windows XP ", 0},
        {"Unknown", 0},      {"Windows 3.1", 1},   {"Windows 7", 14},           {"", 0}};
    for (const auto& [name, ordinal] : cases) EXPECT_EQ(GetOSOrdinal(name), ordinal) << name;
    for (std::int32_t i = 1; i <= 14; ++i) EXPECT_EQ(GetOSOrdinal(GetOSName(i)), i);
    for (std::int32_t i : {0, 15, -1, 1000}) EXPECT_EQ(GetOSName(i), "Unknown");
    EXPECT_EQ(os_member_name(6), "WindowsNT4");
}

}  // namespace
