// Inputs too large for a case file: pages where a '&' would look for its ';'
// through the rest of the page or a key be found by a scan (each took many
// seconds once), and registry keys deeper than any stack could walk.
#include "cli_support.hpp"
#include "platform/memory_property_bag.hpp"
#include "platform/simulated/registry_tree.hpp"
#include "session/page_params.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace prestova;

namespace {

TEST(PageParams, ReadLargePagesWithoutAFilter)
{
    const std::string amps(4 * 1024 * 1024, '&');
    EXPECT_EQ(read_page_params("<object classid=Prestova><param name=Zip1 value=\"" + amps + "\"></object>", "a.html"),
              (PageParams{{"Zip1", amps}}));

    constexpr int kParams = 200000;
    std::string page = "<object classid=Prestova>";
    for (int i = 0; i < kParams; ++i) page += "<param name=p" + std::to_string(i) + " value=" + std::to_string(i) + ">";
    const PageParams params = read_page_params(page + "</object>", "many.html");
    ASSERT_EQ(params.size(), static_cast<std::size_t>(kParams));
    EXPECT_EQ(params.back(), (std::pair<std::string, std::string>{"p199999", "199999"}));

    constexpr int kKeys = 150000;
    MemoryPropertyBag bag;
    for (int i = 0; i < kKeys; ++i) bag.set("Param" + std::to_string(i), Variant(std::to_string(i)));
    for (int i = 0; i < kKeys; i += 2) bag.set("PARAM" + std::to_string(i), Variant("even"));
    ASSERT_EQ(bag.entries().size(), static_cast<std::size_t>(kKeys));
    EXPECT_EQ(bag.entries().back().first, "Param" + std::to_string(kKeys - 1));
    EXPECT_EQ(bag.find("param1234")->text(), "even");
    EXPECT_EQ(bag.find("param1235")->text(), "1235");
}

// Made, found, removed and destroyed far deeper than a stack could hold
// frames for: nothing recurses over the depth.
TEST(RegistryTree, AMillionLevelsComeAndGo)
{
    constexpr int kLevels = 1000000;
    RegistryTree tree;
    RegKey* key = &tree.hive(Hive::CurrentUser);
    for (int i = 0; i < kLevels; ++i) key = &key->subkey(i % 2 ? "k" : "K");
    KeyName name{Hive::CurrentUser, std::vector<std::string>(kLevels, "k")};
    EXPECT_EQ(tree.find(name), key);
    name.parts.resize(1);
    tree.remove(name);
    EXPECT_EQ(tree.find_hive(Hive::CurrentUser)->subkey_count(), 0u);
    key = &tree.hive(Hive::Users);
    for (int i = 0; i < kLevels; ++i) key = &key->subkey("k");
}

// Two million levels in a .reg file: every command refuses it with exit code
// 2 and a short message, and the program itself ends cleanly. The message
// and the 512-level limit are in tests/cases/deep_registry.cases.
TEST(RegistryOnTheCommandLine, AKeyTwoMillionLevelsDeepIsRefusedByEveryCommand)
{
    const prestova::testing::TempFolder dir;
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
        const auto r = prestova::testing::cli(args);
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
