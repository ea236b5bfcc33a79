// The registry tree on its own: names found without regard to case in short
// and long (indexed) lists, subkeys addressed in Windows' order after any
// change, removals, values stored once, and depth that never reaches the
// stack.
#include "platform/simulated/registry_tree.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace prestova;

namespace {

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

// What Windows lists: names compared in upper case, byte by byte.
std::vector<std::string> windows_order(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return upper_ascii(a) < upper_ascii(b); });
    return names;
}

std::vector<std::uint8_t> bytes(std::string_view s) { return {s.begin(), s.end()}; }

class ManyNames : public ::testing::TestWithParam<int> {};

// Short lists are searched one by one, long ones through an index; both
// must answer the same.
TEST_P(ManyNames, AreFoundListedAndRemovedWithoutRegardToCase)
{
    const int count = GetParam();
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back("key" + std::to_string(i * 7919 % 1000003) + "_x");
    std::shuffle(names.begin(), names.end(), std::mt19937(42));

    RegistryTree tree;
    RegKey& key = tree.hive(Hive::LocalMachine);
    for (const auto& n : names) {
        key.subkey(n);
        key.set_value(n, reg::Sz, bytes(n));
    }
    for (const auto& n : names) key.subkey(mixed_case(n, 1));  // found, not made again
    ASSERT_EQ(key.subkey_count(), names.size());
    ASSERT_EQ(key.value_count(), names.size());
    EXPECT_EQ(listed(key), windows_order(names));
    for (const auto& n : names) {
        const RegKey* sub = key.find_subkey(mixed_case(n, 0));
        ASSERT_NE(sub, nullptr) << n;
        EXPECT_EQ(sub->name(), n);  // as first spelt
        const StoredValue* v = key.find_value(upper_ascii(n));
        ASSERT_NE(v, nullptr) << n;
        EXPECT_EQ(v->name(), n);
        EXPECT_TRUE(std::ranges::equal(v->data(), bytes(n)));
    }
    EXPECT_EQ(key.find_subkey("key_absent"), nullptr);
    EXPECT_EQ(key.find_value("key_absent"), nullptr);

    // Every other one goes; the rest are still found, and listed in order.
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i % 2) {
            EXPECT_TRUE(key.remove_subkey(mixed_case(names[i], 3)));
            key.remove_value(mixed_case(names[i], 2));
        } else {
            kept.push_back(names[i]);
        }
    }
    EXPECT_FALSE(key.remove_subkey("key_absent"));
    ASSERT_EQ(key.subkey_count(), kept.size());
    ASSERT_EQ(key.value_count(), kept.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(key.find_subkey(names[i]) != nullptr, i % 2 == 0) << names[i];
        EXPECT_EQ(key.find_value(names[i]) != nullptr, i % 2 == 0) << names[i];
    }
    EXPECT_EQ(listed(key), windows_order(kept));

    // A key made after listing takes its place in the order.
    key.subkey("_late");
    key.subkey("AAA_early");
    kept.push_back("_late");
    kept.push_back("AAA_early");
    EXPECT_EQ(listed(key), windows_order(kept));
}

INSTANTIATE_TEST_SUITE_P(Counts, ManyNames, ::testing::Values(1, 5, 8, 9, 40, 3000));

TEST(RegKeyValues, ASecondSettingKeepsTheFirstSpellingAndTakesTheNewData)
{
    RegistryTree tree;
    RegKey& key = tree.hive(Hive::CurrentUser);
    key.set_value("Version", reg::Sz, bytes(std::string("1.0\0", 4)));
    key.set_value("VERSION", reg::Dword, bytes(std::string("\x07\0\0\0", 4)));
    ASSERT_EQ(key.value_count(), 1u);
    EXPECT_EQ(key.value_at(0).name(), "Version");
    EXPECT_EQ(key.value_at(0).type(), reg::Dword);
    EXPECT_EQ(key.value_at(0).data().size(), 4u);
    key.set_value(RegValue{"", reg::Binary, {}});  // the default value, no bytes at all
    ASSERT_NE(key.find_value(""), nullptr);
    EXPECT_EQ(key.find_value("")->type(), reg::Binary);
    EXPECT_TRUE(key.find_value("")->data().empty());
    key.remove_value("version");
    EXPECT_EQ(key.find_value("Version"), nullptr);
    EXPECT_EQ(key.value_count(), 1u);
}

TEST(RegistryTreeOrder, ComparesNamesByteByByteInUpperCase)
{
    EXPECT_LT(compare_key_names("alpha", "BETA"), 0);
    EXPECT_EQ(compare_key_names("Gamma", "gAMMA"), 0);
    EXPECT_GT(compare_key_names("_under", "zeta"), 0);  // '_' is after the upper-case letters
    EXPECT_LT(compare_key_names("ab", "abc"), 0);
    EXPECT_GT(compare_key_names("\xE9", "z"), 0);  // bytes above 127 after ASCII
}

TEST(RegistryTreeFind, MakesNothing)
{
    RegistryTree tree;
    EXPECT_EQ(tree.find(*parse_key_name("HKCU\\Software")), nullptr);
    tree.remove(*parse_key_name("HKU\\.DEFAULT\\Software"));
    EXPECT_EQ(tree.find_hive(Hive::CurrentUser), nullptr);
    EXPECT_EQ(tree.find_hive(Hive::Users), nullptr);
    tree.make(*parse_key_name("HKCR\\.pdf"));
    EXPECT_NE(tree.find(*parse_key_name("HKEY_LOCAL_MACHINE\\software\\CLASSES\\.PDF")), nullptr);
}

// Destroying, finding and moving a tree far deeper than any stack could
// hold frames for: nothing recurses over the depth.
TEST(RegistryTreeDepth, AMillionLevelsComeAndGoWithoutRecursion)
{
    constexpr int kLevels = 1000000;
    RegistryTree tree;
    RegKey* key = &tree.hive(Hive::CurrentUser);
    for (int i = 0; i < kLevels; ++i) key = &key->subkey(i % 2 ? "k" : "K");
    key->set_value("deepest", reg::Dword, bytes(std::string("\1\0\0\0", 4)));
    KeyName name{Hive::CurrentUser, std::vector<std::string>(kLevels, "k")};
    ASSERT_NE(tree.find(name), nullptr);
    EXPECT_NE(tree.find(name)->find_value("DEEPEST"), nullptr);
    RegistryTree moved = std::move(tree);
    name.parts.resize(1);
    moved.remove(name);  // the whole chain at once
    EXPECT_EQ(moved.hive(Hive::CurrentUser).subkey_count(), 0u);
    RegKey* again = &moved.hive(Hive::Users);
    for (int i = 0; i < kLevels; ++i) again = &again->subkey("k");
    // ...and the tree goes out of scope with a million levels in it.
}

} // namespace

// Keys arriving in order (as regedit exports them) are appended without a
// look-up; the index then catches up with them at the first search, and
// keys made, found and removed in between are all still found.
TEST(RegistryTreeOrder, KeysInOrderAreFoundAfterSearchesAndRemovalsInBetween)
{
    RegistryTree tree;
    RegKey& key = tree.hive(Hive::LocalMachine);
    std::vector<std::string> made;
    const auto name = [](int i) {
        const std::string digits = std::to_string(i);
        return std::string("Key ").append(4 - digits.size(), '0').append(digits);
    };
    for (int i = 0; i < 2000; ++i) {
        key.subkey(name(i));
        made.push_back(name(i));
        if (i % 97 == 0) {
            ASSERT_NE(key.find_subkey(mixed_case(name(i / 2), 1)), nullptr) << i;
        }
        if (i % 101 == 100) {
            ASSERT_TRUE(key.remove_subkey(upper_ascii(name(i - 50))));
            made.erase(std::find(made.begin(), made.end(), name(i - 50)));
        }
        // The same key again, in another case, is found rather than made.
        if (i % 89 == 0) {
            EXPECT_EQ(&key.subkey(upper_ascii(name(i))), key.find_subkey(name(i)));
        }
    }
    ASSERT_EQ(key.subkey_count(), made.size());
    for (const auto& n : made) EXPECT_NE(key.find_subkey(mixed_case(n, 0)), nullptr) << n;
    EXPECT_EQ(listed(key), windows_order(made));
}
