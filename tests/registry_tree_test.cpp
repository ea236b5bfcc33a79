// What a .reg file cannot show of the registry tree (reg_import.txt shows
// names found in any case, listed in Windows' order, removed and made again,
// in short lists and long; the order of names is in text_rules.txt): trees
// deeper than any stack could walk.
#include "platform/simulated/registry_tree.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace prestova;

namespace {

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
