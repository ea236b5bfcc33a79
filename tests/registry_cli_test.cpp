// A registry key two million levels deep, too big for a case file: every
// command refuses it with exit code 2 and a short message, and the program
// itself ends cleanly. The message and the 512-level limit are in
// tests/cases/deep_registry.cases.
#include "cli_support.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>
#include <filesystem>

using prestova::testing::cli;
using prestova::testing::TempFolder;

namespace {

TEST(RegistryOnTheCommandLine, AKeyTwoMillionLevelsDeepIsRefusedByEveryCommand)
{
    const TempFolder dir;
    std::string reg = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE";
    for (int i = 1; i < 2000000; ++i) reg += "\\k";
    dir.write("deep.reg", reg + "]\r\n\"Depth\"=dword:00000001\r\n");
    const std::string machine = dir.write("deep.machine", "[registry]\nfile = deep.reg\n").string();
    const std::string file = dir.file("deep.reg").string();
    const std::vector<std::vector<std::string>> commands = {
        {"check", "--machine", machine},
        {"snapshot", "--machine", machine, "--output", dir.file("snap").string()},
        {"call", "OSMin", "--machine", machine}};
    for (const auto& args : commands) {
        const auto r = cli(args);
        EXPECT_EQ(r.code, 2) << args[0];
        EXPECT_EQ(r.out, "") << args[0];
        EXPECT_EQ(r.err.rfind("prestova: " + file + ":3: the key 'HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\k\\\\k", 0), 0u)
            << r.err.substr(0, 300);
        EXPECT_NE(r.err.find("more than 512 levels deep, which Windows does not allow"), std::string::npos) << args[0];
        EXPECT_LT(r.err.size(), 400u) << args[0];
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("snap.reg")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("snap.machine")));

    const int status =
        std::system((std::string(PRESTOVA_BINARY) + " check --machine '" + machine + "' 2>/dev/null").c_str());
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

}  // namespace
