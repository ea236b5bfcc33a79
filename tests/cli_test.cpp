// What the command-line cases cannot show: the version the build sets and
// the real program's exit codes. Everything else the command line does is
// in tests/cases/cli.cases and call.cases.
#include "cli_support.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using prestova::testing::cli;
using prestova::testing::kSource;

TEST(Cli, VersionIsTheOneTheBuildSets)
{
    std::ifstream cmake(kSource + "/CMakeLists.txt");
    const std::string text((std::istreambuf_iterator<char>(cmake)), std::istreambuf_iterator<char>());
    const std::string marker = "project(Prestova VERSION ";
    const auto at = text.find(marker);
    ASSERT_NE(at, std::string::npos);
    const auto start = at + marker.size();
    const std::string version = text.substr(start, text.find(' ', start) - start);
    const auto r = cli({"--version"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "prestova " + version + "\n");
}

TEST(Cli, TheProgramItselfExitsWithTheCodes)
{
    const std::string bin = PRESTOVA_BINARY;
    const std::string machine = kSource + "/profiles/win98-desktop.machine";
    EXPECT_EQ(std::system((bin + " check --machine " + machine + " >/dev/null").c_str()), 0);
    EXPECT_NE(std::system((bin + " check >/dev/null 2>&1").c_str()), 0);
    // A full disk behind standard output is no success.
    EXPECT_NE(std::system((bin + " --help >/dev/full 2>/dev/null").c_str()), 0);
    // ... and the reason is said once.
    EXPECT_EQ(std::system(("test \"$(" + bin + " check --machine " + machine +
                           " 2>&1 >/dev/full | grep -c 'standard output: no space left on device')\" = 1")
                              .c_str()),
              0);
    // A device named as the output is written, not replaced by a file.
    EXPECT_EQ(std::system((bin + " check --machine " + machine + " --output /dev/null 2>/dev/null").c_str()), 0);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

}  // namespace
