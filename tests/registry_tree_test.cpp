// What a .reg file cannot show of the registry tree (reg_import.txt shows
// names found in any case, listed in Windows' order, removed and made again,
// in short lists and long): the order of bytes a file's encodings read
// differently, and trees deeper than any stack could walk.
#include "platform/simulated/registry_tree.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace prestova;

namespace {

TEST(RegistryTree, NamesCompareInUpperCaseByteByByte)
{
    // Both ways round; '_' is after the upper-case letters, bytes above 127 after ASCII.
    std::string orders;
    for (const auto& [a, b] :
         {std::pair{"alpha", "BETA"}, {"Gamma", "gAMMA"}, {"ab", "abc"}, {"_under", "zeta"}, {"\xE9", "z"}})
        for (const int order : {compare_key_names(a, b), compare_key_names(b, a)})
            orders += order < 0 ? "<" : order > 0 ? ">" : "=";
    EXPECT_EQ(orders, "<>==<>><><");
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

}  // namespace
