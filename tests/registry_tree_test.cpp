// The registry tree through what it does: names found without regard to
// case in short and long lists, subkeys listed in Windows' order after any
// change, removals, and trees deeper than any stack could walk.
#include "platform/simulated/registry_tree.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace prestova;

namespace {

std::string upper(std::string name)
{
    for (char& c : name) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return name;
}

std::string mixed_case(std::string name, unsigned seed)
{
    for (char& c : name)
        if (seed++ % 2 && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return name;
}

std::vector<std::string> listed(const RegKey& key)
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < key.subkey_count(); ++i) names.emplace_back(key.subkey_at(i).name());
    return names;
}

std::vector<std::string> value_names(const RegKey& key)
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < key.value_count(); ++i) names.emplace_back(key.value_at(i).name());
    return names;
}

// What Windows lists: names compared byte by byte in upper case.
std::vector<std::string> windows_order(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return upper(a) < upper(b); });
    return names;
}

std::vector<std::uint8_t> bytes(std::string_view s) { return {s.begin(), s.end()}; }

class ManyNames : public ::testing::TestWithParam<int> {};

// Names come in any order and case; every one is found, listed in Windows'
// order, removed, and listed again in order with names made after that.
TEST_P(ManyNames, AreFoundListedAndRemovedWithoutRegardToCase)
{
    std::vector<std::string> names;
    for (int i = 0; i < GetParam(); ++i) names.push_back("key" + std::to_string(i * 7919 % 1000003) + "_x");
    std::shuffle(names.begin(), names.end(), std::mt19937(42));
    RegistryTree tree;
    RegKey& key = tree.hive(Hive::LocalMachine);
    for (const auto& n : names) {
        key.subkey(n);
        key.set_value(n, reg::Sz, bytes(n));
    }
    for (const auto& n : names) key.subkey(mixed_case(n, 1));  // found, not made again
    EXPECT_EQ(listed(key), windows_order(names));
    EXPECT_EQ(value_names(key), names);  // values in the order they were set
    for (const auto& n : names) {
        ASSERT_NE(key.find_subkey(mixed_case(n, 0)), nullptr) << n;
        EXPECT_EQ(key.find_subkey(mixed_case(n, 0))->name(), n);
        ASSERT_NE(key.find_value(upper(n)), nullptr) << n;
        EXPECT_EQ(key.find_value(upper(n))->name(), n);
        EXPECT_TRUE(std::ranges::equal(key.find_value(upper(n))->data(), bytes(n)));
    }
    EXPECT_EQ(key.find_subkey("key_absent"), nullptr);
    EXPECT_EQ(key.find_value("key_absent"), nullptr);

    std::vector<std::string> kept;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i % 2 == 0) {
            kept.push_back(names[i]);
            continue;
        }
        EXPECT_TRUE(key.remove_subkey(mixed_case(names[i], 3)));
        key.remove_value(mixed_case(names[i], 2));
    }
    EXPECT_FALSE(key.remove_subkey("key_absent"));
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(key.find_subkey(names[i]) != nullptr, i % 2 == 0) << names[i];
        EXPECT_EQ(key.find_value(names[i]) != nullptr, i % 2 == 0) << names[i];
    }
    EXPECT_EQ(value_names(key).size(), kept.size());
    key.subkey("_late");
    key.subkey("AAA_early");
    kept.push_back("_late");
    kept.push_back("AAA_early");
    EXPECT_EQ(listed(key), windows_order(kept));
}

// A short list is searched one by one, a long one through an index; both
// answer the same. The keys of an export come in order.
INSTANTIATE_TEST_SUITE_P(Counts, ManyNames, ::testing::Values(1, 8, 9, 40, 3000));

TEST(RegistryTree, KeysInOrderAreAppendedAndStillFoundAfterChanges)
{
    RegistryTree tree;
    RegKey& key = tree.hive(Hive::LocalMachine);
    std::vector<std::string> made;
    for (int i = 0; i < 300; ++i) {
        const std::string name = "Key " + std::to_string(1000 + i);
        const RegKey* const made_now = &key.subkey(name);
        EXPECT_EQ(&key.subkey(upper(name)), made_now);
        made.push_back(name);
        if (i % 7 == 6) {
            EXPECT_TRUE(key.remove_subkey(made[made.size() - 3]));
            made.erase(made.end() - 3);
        }
    }
    EXPECT_EQ(listed(key), made);
    for (const auto& n : made) EXPECT_NE(key.find_subkey(mixed_case(n, 1)), nullptr) << n;
}

TEST(RegistryTree, AValueSetAgainKeepsItsFirstSpellingAndARemovalMovesTheLastIntoItsPlace)
{
    RegistryTree tree;
    RegKey& key = tree.hive(Hive::CurrentUser);
    key.set_value("Version", reg::Sz, bytes(std::string("1.0\0", 4)));
    key.set_value(RegValue{"", reg::Binary, {}});
    key.set_value("Third", reg::Dword, bytes(std::string("\1\0\0\0", 4)));
    key.set_value("VERSION", reg::Dword, bytes(std::string("\7\0\0\0", 4)));
    EXPECT_EQ(value_names(key), (std::vector<std::string>{"Version", "", "Third"}));
    EXPECT_EQ(key.find_value("version")->type(), reg::Dword);
    EXPECT_TRUE(std::ranges::equal(key.find_value("version")->data(), bytes(std::string("\7\0\0\0", 4))));
    EXPECT_TRUE(key.find_value("")->data().empty());
    key.remove_value("VERSION");
    EXPECT_EQ(value_names(key), (std::vector<std::string>{"Third", ""}));
    key.remove_value("absent");
    EXPECT_EQ(key.value_count(), 2u);
}

TEST(RegistryTree, NamesInWindowsOrder)
{
    EXPECT_LT(compare_key_names("alpha", "BETA"), 0);
    EXPECT_EQ(compare_key_names("Gamma", "gAMMA"), 0);
    EXPECT_GT(compare_key_names("_under", "zeta"), 0);  // '_' is after the upper-case letters
    EXPECT_LT(compare_key_names("ab", "abc"), 0);
    EXPECT_GT(compare_key_names("\xE9", "z"), 0);  // bytes above 127 after ASCII
}

TEST(RegistryTree, FullNamesAndFindingMakeNothing)
{
    const auto name = parse_key_name("hkcr\\\\.pdf\\");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->hive, Hive::LocalMachine);
    EXPECT_EQ(name->parts, (std::vector<std::string>{"SOFTWARE", "Classes", ".pdf"}));
    EXPECT_FALSE(parse_key_name("HKEY_NOWHERE\\A"));
    EXPECT_FALSE(parse_key_name("\\"));
    RegistryTree tree;
    EXPECT_EQ(tree.find(*parse_key_name("HKCU\\Software")), nullptr);
    tree.remove(*parse_key_name("HKU\\.DEFAULT\\Software"));
    EXPECT_EQ(tree.find_hive(Hive::CurrentUser), nullptr);
    EXPECT_EQ(tree.find_hive(Hive::Users), nullptr);
    tree.make(*name);
    EXPECT_NE(tree.find(*parse_key_name("HKEY_LOCAL_MACHINE\\software\\CLASSES\\.PDF")), nullptr);
    tree.remove(*parse_key_name("HKLM\\SOFTWARE\\Classes"));
    EXPECT_EQ(tree.find(*name), nullptr);
    EXPECT_EQ(tree.find_hive(Hive::LocalMachine)->subkey_at(0).name(), "SOFTWARE");
}

TEST(RegistryTree, AMovedTreeKeepsItsKeysAndTheOldOneStartsAfresh)
{
    RegistryTree tree;
    tree.make(*parse_key_name("HKLM\\SOFTWARE\\Vendor")).set_value("Name", reg::Sz, bytes("n"));
    RegistryTree moved = std::move(tree);
    EXPECT_NE(moved.find(*parse_key_name("HKLM\\software\\VENDOR"))->find_value("name"), nullptr);
    EXPECT_EQ(tree.find_hive(Hive::LocalMachine), nullptr);  // NOLINT(bugprone-use-after-move): reuse is allowed
    tree.make(*parse_key_name("HKCU\\Software"));
    moved = std::move(tree);
    EXPECT_EQ(moved.find(*parse_key_name("HKLM\\SOFTWARE\\Vendor")), nullptr);
    EXPECT_NE(moved.find(*parse_key_name("HKCU\\Software")), nullptr);
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
