// The registry tree's own memory: blocks that never overlap, released blocks
// taken again, and a tree whose memory stays where it was however often
// keys and values come and go.
#include "platform/simulated/registry_storage.hpp"
#include "platform/simulated/registry_tree.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

using namespace prestova;

namespace {

std::vector<std::uint8_t> bytes(std::size_t size, std::uint8_t fill) { return std::vector<std::uint8_t>(size, fill); }

struct Block {
    std::uint8_t* at;
    std::size_t size;
};

// Sizes at every class edge, small, power-of-two and larger than a chunk.
const std::size_t kSizes[] = {1, 15, 16, 17, 48, 255, 256, 257, 512, 513, 4096, 65535, 65536, 65537, 3 << 20};

TEST(RegistryStorage, BlocksAreAlignedAndNeverOverlap)
{
    RegistryStorage storage;
    std::vector<Block> blocks;
    for (int round = 0; round < 3; ++round)
        for (const std::size_t size : kSizes) {
            auto* at = static_cast<std::uint8_t*>(storage.allocate(size));
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(at) % alignof(void*), 0u) << size;
            std::memset(at, static_cast<int>(blocks.size() & 0xFF), size);
            blocks.push_back({at, size});
        }
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const auto fill = static_cast<std::uint8_t>(i & 0xFF);
        const Block& b = blocks[i];
        EXPECT_TRUE(b.at[0] == fill && b.at[b.size - 1] == fill) << "block " << i << " of " << b.size << " bytes";
    }
    for (const Block& b : blocks) storage.release(b.at, b.size);
}

TEST(RegistryStorage, ReleasedBlocksAreTakenAgainAndLargeOnesGoBack)
{
    RegistryStorage storage;
    const auto cycle = [&] {
        std::vector<Block> blocks;
        for (const std::size_t size : kSizes)
            for (int i = 0; i < 50; ++i) blocks.push_back({static_cast<std::uint8_t*>(storage.allocate(size)), size});
        for (const Block& b : blocks) storage.release(b.at, b.size);
    };
    cycle();
    const std::size_t after_one = storage.bytes_held();
    for (int i = 0; i < 20; ++i) cycle();
    EXPECT_EQ(storage.bytes_held(), after_one);

    // A block beyond the size classes is the heap's again once released.
    const std::size_t before = storage.bytes_held();
    void* large = storage.allocate(std::size_t{5} << 20);
    EXPECT_GE(storage.bytes_held(), before + (std::size_t{5} << 20));
    storage.release(large, std::size_t{5} << 20);
    EXPECT_EQ(storage.bytes_held(), before);
}

// A long-running machine whose registry is changed again and again: keys
// with values and subkeys made and removed, values replaced by longer and
// shorter ones, lists grown past their index and shrunk.
TEST(RegistryTreeMemory, StaysFlatThroughRepeatedChanges)
{
    RegistryTree tree;
    RegKey& root = tree.hive(Hive::LocalMachine);
    const auto numbered = [](const char* text, int i) { return std::string(text).append(std::to_string(i)); };
    const auto change = [&](int round) {
        RegKey& key = root.subkey("Churn");
        for (int i = 0; i < 40; ++i) {
            RegKey& sub = key.subkey(numbered("Sub key number ", i));
            sub.set_value(numbered("Long value name ", i), reg::Binary, bytes(100 + i, 1));
            sub.subkey("deeper").subkey("deepest").set_value("", reg::Sz, bytes(3, 'x'));
            key.set_value(numbered("v", i), reg::Binary, bytes(static_cast<std::size_t>(round % 3) * 30, 2));
        }
        for (int i = 0; i < 40; i += 2) key.remove_value(numbered("V", i));
        ASSERT_TRUE(root.remove_subkey("CHURN"));
    };
    change(0);
    change(1);
    change(2);
    const std::size_t settled = tree.bytes_held();
    for (int round = 3; round < 300; ++round) change(round);
    EXPECT_EQ(tree.bytes_held(), settled);
    EXPECT_EQ(root.subkey_count(), 0u);
}

TEST(RegistryTreeMemory, AMovedTreeKeepsItsKeysAndTheOldOneStartsAfresh)
{
    RegistryTree tree;
    tree.make(*parse_key_name("HKLM\\SOFTWARE\\Vendor")).set_value("Name", reg::Sz, bytes(5, 'n'));
    RegistryTree moved = std::move(tree);
    const RegKey* vendor = moved.find(*parse_key_name("HKLM\\software\\VENDOR"));
    ASSERT_NE(vendor, nullptr);
    EXPECT_EQ(vendor->find_value("name")->data().size(), 5u);

    EXPECT_EQ(tree.find_hive(Hive::LocalMachine), nullptr);  // NOLINT(bugprone-use-after-move): reuse is allowed
    EXPECT_EQ(tree.bytes_held(), 0u);
    tree.make(*parse_key_name("HKCU\\Software")).set_value("", reg::Sz, bytes(1, 0));
    EXPECT_NE(tree.find(*parse_key_name("HKCU\\Software")), nullptr);

    moved = std::move(tree);
    EXPECT_EQ(moved.find(*parse_key_name("HKLM\\SOFTWARE\\Vendor")), nullptr);
    EXPECT_NE(moved.find(*parse_key_name("HKCU\\Software")), nullptr);
}

} // namespace
