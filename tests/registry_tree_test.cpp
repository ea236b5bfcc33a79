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

// The subkeys in enumeration order, or the values in theirs.
std::vector<std::string> names_of(const RegKey& key, bool values = false)
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < (values ? key.value_count() : key.subkey_count()); ++i)
        names.emplace_back(values ? key.value_at(i).name() : key.subkey_at(i).name());
    return names;
}

// What Windows lists: names compared byte by byte in upper case.
std::vector<std::string> windows_order(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return upper(a) < upper(b); });
    return names;
}

std::vector<std::uint8_t> bytes(std::string_view s) { return {s.begin(), s.end()}; }

class ManyNames : public ::testing::TestWithParam<int> {};

// Names come in any order; every one is found in any case, listed in Windows'
// order, removed, and listed again in order with names made after that.
// Values stay in the order first set, keep their first spelling when set
// again, and a removal moves the last into its place. A short list is
// searched one by one, a long one through an index; both answer the same.
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
    for (const auto& n : names) {
        EXPECT_EQ(&key.subkey(upper(n)), key.find_subkey(n)) << n;  // found, not made again
        key.set_value(RegValue{upper(n), reg::Dword, bytes(upper(n))});
        const StoredValue* value = key.find_value(upper(n));
        EXPECT_TRUE(value && value->type() == reg::Dword && std::ranges::equal(value->data(), bytes(upper(n)))) << n;
    }
    EXPECT_EQ(names_of(key), windows_order(names));
    EXPECT_EQ(names_of(key, true), names);
    EXPECT_EQ(key.find_subkey("key_absent"), nullptr);
    EXPECT_EQ(key.find_value("key_absent"), nullptr);

    std::vector<std::string> kept, values = names;
    for (std::size_t i = 1; i < names.size(); i += 2) {
        EXPECT_TRUE(key.remove_subkey(upper(names[i])));
        key.remove_value(upper(names[i]));
        *std::find(values.begin(), values.end(), names[i]) = values.back();
        values.pop_back();
    }
    EXPECT_FALSE(key.remove_subkey("key_absent"));
    key.remove_value("key_absent");
    EXPECT_EQ(names_of(key, true), values);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const StoredValue* value = key.find_value(names[i]);
        EXPECT_EQ(value ? value->name() : "", i % 2 ? "" : names[i]);
        if (i % 2 == 0) kept.push_back(names[i]);
    }
    EXPECT_EQ(names_of(key), windows_order(kept));
    for (const char* late : {"_late", "AAA_early", "zzz_in_order"})
        kept.push_back(std::string(key.subkey(late).name()));
    EXPECT_EQ(names_of(key), windows_order(kept));
}

INSTANTIATE_TEST_SUITE_P(Counts, ManyNames, ::testing::Values(1, 8, 9, 40, 3000));

TEST(RegistryTree, NamesFindingMakingRemovingAndMoving)
{
    // Both ways round; '_' is after the upper-case letters, bytes above 127 after ASCII.
    std::string orders;
    for (const auto& [a, b] :
         {std::pair{"alpha", "BETA"}, {"Gamma", "gAMMA"}, {"ab", "abc"}, {"_under", "zeta"}, {"\xE9", "z"}})
        for (const int order : {compare_key_names(a, b), compare_key_names(b, a)})
            orders += order < 0 ? "<" : order > 0 ? ">" : "=";
    EXPECT_EQ(orders, "<>==<>><><");
    const auto name = parse_key_name("hkcr\\\\.pdf\\");  // HKEY_CLASSES_ROOT, an empty part, a trailing backslash
    ASSERT_TRUE(name);
    EXPECT_TRUE(name->hive == Hive::LocalMachine &&
                name->parts == (std::vector<std::string>{"SOFTWARE", "Classes", ".pdf"}));
    EXPECT_FALSE(parse_key_name("HKEY_NOWHERE\\A") || parse_key_name("\\"));
    // Finding and removing make nothing; a hive itself stays.
    RegistryTree tree;
    EXPECT_EQ(tree.find(*parse_key_name("HKCU\\Software")), nullptr);
    tree.remove(*parse_key_name("HKU\\.DEFAULT\\Software"));
    EXPECT_FALSE(tree.find_hive(Hive::CurrentUser) || tree.find_hive(Hive::Users));
    tree.make(*name).set_value(RegValue{"", reg::Binary, {}});
    EXPECT_TRUE(
        tree.find(*parse_key_name("HKEY_LOCAL_MACHINE\\software\\CLASSES\\.PDF"))->find_value("")->data().empty());
    tree.remove(*parse_key_name("HKLM\\SOFTWARE\\Classes"));
    tree.remove(*parse_key_name("HKLM"));
    EXPECT_EQ(tree.find(*name), nullptr);
    EXPECT_EQ(names_of(*tree.find_hive(Hive::LocalMachine)), std::vector<std::string>{"SOFTWARE"});
    // A moved tree keeps its keys and the old one starts afresh.
    tree.find(*parse_key_name("HKLM\\SOFTWARE"))->set_value("Name", reg::Sz, bytes("n"));
    RegistryTree moved = std::move(tree);
    EXPECT_NE(moved.find(*parse_key_name("HKLM\\software"))->find_value("name"), nullptr);
    EXPECT_EQ(tree.find_hive(Hive::LocalMachine), nullptr);  // NOLINT(bugprone-use-after-move): reuse is allowed
    tree.make(*parse_key_name("HKCU\\Software"));
    moved = std::move(tree);
    EXPECT_FALSE(moved.find(*parse_key_name("HKLM\\SOFTWARE")) || tree.find_hive(Hive::CurrentUser));  // NOLINT
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
