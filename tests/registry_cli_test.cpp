// The command line on registry files no Windows would hold: a key two
// million levels deep is refused with the file and line, exit code 2, by
// check, snapshot and call alike, and the program itself ends cleanly.
#include "cli_support.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>
#include <filesystem>

using namespace prestova;
using prestova::testing::cli;

namespace {

namespace fs = std::filesystem;

using prestova::testing::TempFolder;

// A profile whose registry has one key `levels` deep on its third line.
fs::path deep_profile(const TempFolder& dir, std::size_t levels)
{
    std::string reg = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE";
    reg.reserve(reg.size() + 2 * levels + 32);
    for (std::size_t i = 1; i < levels; ++i) reg += "\\k";
    reg += "]\r\n\"Depth\"=dword:00000001\r\n";
    dir.write("deep.reg", reg);
    return dir.write("deep.machine", "[registry]\nfile = deep.reg\n");
}

TEST(RegistryOnTheCommandLine, AKeyDeeperThanWindowsAllowsIsRefusedByEveryCommand)
{
    const TempFolder dir;
    const std::string machine = deep_profile(dir, 2000000).string();
    const std::string reg = dir.file("deep.reg").string();
    const std::vector<std::vector<std::string>> commands = {
        {"check", "--machine", machine},
        {"snapshot", "--machine", machine, "--output", dir.file("snap").string()},
        {"call", "OSMin", "--machine", machine}};
    for (const auto& args : commands) {
        const auto r = cli(args);
        EXPECT_EQ(r.code, 2) << args[0];
        EXPECT_EQ(r.out, "") << args[0];
        EXPECT_EQ(r.err.rfind("prestova: " + reg + ":3: the key 'HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\k\\\\k", 0), 0u)
            << r.err.substr(0, 300);
        EXPECT_NE(r.err.find("more than 512 levels deep, which Windows does not allow"), std::string::npos) << args[0];
        EXPECT_LT(r.err.size(), 400u) << args[0];
    }
    EXPECT_FALSE(fs::exists(dir.file("snap.reg")));
    EXPECT_FALSE(fs::exists(dir.file("snap.machine")));

    // The program itself: exit code 2, no signal.
    const int status =
        std::system((std::string(PRESTOVA_BINARY) + " check --machine '" + machine + "' 2>/dev/null").c_str());
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

TEST(RegistryOnTheCommandLine, TheDeepestKeyWindowsAllowsIsChecked)
{
    const TempFolder dir;
    const std::string machine = deep_profile(dir, 512).string();
    const auto r = cli({"check", "--machine", machine});
    EXPECT_EQ(r.code, 0) << r.err;
    const auto snap = cli({"snapshot", "--machine", machine, "--output", dir.file("snap").string()});
    EXPECT_EQ(snap.code, 0) << snap.err;
    EXPECT_EQ(cli({"check", "--machine", dir.file("snap.machine").string()}).code, 0);
}

}  // namespace
