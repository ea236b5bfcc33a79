// The command line on the bundled machines and pages, in-process and as the
// real program.
#include "cli_support.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace prestova;

namespace {

using prestova::testing::cli;
using prestova::testing::kSource;
using Result = prestova::testing::CliResult;
using prestova::testing::TempFolder;

std::string profile(const char* name) { return kSource + "/profiles/" + name + ".machine"; }

struct CheckCall {
    std::vector<std::string> args;  // after "check --machine" the XP laptop
    std::vector<const char*> out;   // fragments of standard output
    const char* err;                // all of standard error, or a fragment of it
};

class CliCheck : public ::testing::TestWithParam<CheckCall> {};

TEST_P(CliCheck, PrintsThePanelOfTheRun)
{
    std::vector<std::string> args = {"check", "--machine", profile("xp-laptop-2005")};
    for (const auto& a : GetParam().args) args.push_back(a.rfind("@", 0) == 0 ? kSource + "/" + a.substr(1) : a);
    const Result r = cli(args);
    ASSERT_EQ(r.code, 0) << r.err;
    for (const char* fragment : GetParam().out) EXPECT_NE(r.out.find(fragment), std::string::npos) << fragment;
    if (*GetParam().err) EXPECT_NE(r.err.find(GetParam().err), std::string::npos) << r.err;
    else EXPECT_EQ(r.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Calls, CliCheck,
    ::testing::Values(CheckCall{{"--page", "@pages/sample.html"},
                                {"512.00 Megabytes", "256 Megabytes",
                                 "You have more than the recommended amount of RAM"},
                                ""},
                      // Params override the page, matched without regard to case.
                      CheckCall{{"--page", "@pages/sample.html", "--param", "memoryrec=2048"}, {"2.048 Gigabytes"}, ""},
                      CheckCall{{"--init"}, {" Megabytes"}, ""},
                      CheckCall{{"--page", "@pages/sample.html", "--param", "MemoryMin=many", "--format", "json"},
                                {"\"name\": \"LabelMemAmount\"", "memory: minimum caption (MemoryMin)"},
                                "the run stopped at memory: minimum caption (MemoryMin): error 13"}));

TEST(Cli, EveryBundledMachineRunsInEveryFormat)
{
    for (const auto& entry : std::filesystem::directory_iterator(kSource + "/profiles")) {
        if (entry.path().extension() != ".machine") continue;
        for (const char* format : {"text", "json", "svg", "html"}) {
            const Result r = cli({"check", "--machine", entry.path().string(), "--format", format});
            EXPECT_EQ(r.code, 0) << entry.path() << " " << format << ": " << r.err;
            EXPECT_FALSE(r.out.empty());
        }
    }
}

TEST(Cli, WritesToAnOutputFile)
{
    const TempFolder folder;
    const auto path = folder.file("panel.svg");
    const Result r = cli(
        {"check", "--machine", profile("xp-laptop-2005"), "--format=svg", "--output", path.string(), "--runs", "2"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "");
    std::ifstream in(path);
    std::string first;
    std::getline(in, first);
    EXPECT_NE(first.find("<"), std::string::npos);
}

struct BadCall {
    std::vector<std::string> args;
    const char* message;
};

class CliRefuses : public ::testing::TestWithParam<BadCall> {};

TEST_P(CliRefuses, BadUsageAndUnreadableInputWithExitCodeTwo)
{
    std::vector<std::string> args = GetParam().args;
    for (auto& a : args)
        if (a.rfind("@", 0) == 0) a = kSource + "/" + a.substr(1);
    const Result r = cli(args);
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Calls, CliRefuses,
    ::testing::Values(
        BadCall{{}, "usage:"}, BadCall{{"frobnicate"}, "unknown command 'frobnicate'"},
        BadCall{{"check"}, "check needs --machine FILE"}, BadCall{{"check", "--machine"}, "--machine needs a value"},
        BadCall{{"check", "--machine", "@profiles/xp-laptop-2005.machine", "--format", "pdf"}, "unknown format 'pdf'"},
        BadCall{{"check", "--machine", "@profiles/xp-laptop-2005.machine", "--runs", "0"}, "--runs"},
        BadCall{{"check", "--machine", "@profiles/xp-laptop-2005.machine", "--param", "MemoryMin"}, "NAME=VALUE"},
        BadCall{{"check", "--machine", "@profiles/xp-laptop-2005.machine", "--param", "Memory=1"},
                "'Memory' is not a property"},
        BadCall{{"check", "--machine", "@profiles/xp-laptop-2005.machine", "--page", "@nope.html"}, "cannot read"},
        BadCall{{"check", "--machine", "@no/such.machine"}, "such.machine"},
        BadCall{{"check", "--machine", "@profiles/xp-laptop-2005.machine", "--verbose"}, "unknown option '--verbose'"},
        BadCall{{"check", "--machine", "@profiles/xp-laptop-2005.machine", "--init=yes"},
                "unknown option '--init=yes'"},
        BadCall{{"snapshot", "--machine", "@profiles/xp-laptop-2005.machine", "--output"}, "--output needs a value"},
        BadCall{{"snapshot", "--machine="}, "--machine needs a file name"},
        BadCall{{"snapshot", "--force"}, "unknown option '--force'"}));

TEST(Cli, VersionIsTheOneTheBuildSets)
{
    std::ifstream cmake(kSource + "/CMakeLists.txt");
    const std::string text((std::istreambuf_iterator<char>(cmake)), std::istreambuf_iterator<char>());
    const std::string marker = "project(Prestova VERSION ";
    const auto at = text.find(marker);
    ASSERT_NE(at, std::string::npos);
    const auto start = at + marker.size();
    const std::string version = text.substr(start, text.find(' ', start) - start);
    const Result r = cli({"--version"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "prestova " + version + "\n");
}

TEST(Cli, AMalformedProfileIsReportedWithItsLine)
{
    const TempFolder folder;
    const auto path = folder.write("bad.machine", "[windows]\nmajor = five\n");
    const Result r = cli({"check", "--machine", path.string()});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find(path.string() + ":2"), std::string::npos) << r.err;
}

TEST(Cli, TheProgramItselfExitsWithTheCodes)
{
    const std::string bin = PRESTOVA_BINARY;
    EXPECT_EQ(std::system((bin + " check --machine " + profile("win98-desktop") + " >/dev/null").c_str()), 0);
    EXPECT_NE(std::system((bin + " check >/dev/null 2>&1").c_str()), 0);
}

}  // namespace
