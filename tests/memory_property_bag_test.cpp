// The in-memory property bag a page's <param> tags fill: keys match without
// regard to case, keep their first spelling and the order they came in.
#include "platform/memory_property_bag.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace prestova;

namespace {

TEST(MemoryPropertyBag, KeysMatchWithoutRegardToCaseAndKeepTheirFirstSpelling)
{
    MemoryPropertyBag bag;
    bag.set("MemoryMin", Variant("64"));
    bag.set("Zip1", Variant("a"));
    bag.set("MEMORYMIN", Variant("128"));
    bag.write_property("zip1", Variant("b"), Variant(""));
    bag.set("Zip10", Variant("c"));  // a longer name is another key
    bag.set("\xC9t\xE9", Variant("d"));
    bag.set("\xE9T\xC9", Variant("e"));  // only ASCII letters fold, as Windows matches bag keys

    ASSERT_EQ(bag.entries().size(), 5u);
    EXPECT_EQ(bag.entries()[0].first, "MemoryMin");
    EXPECT_EQ(bag.entries()[0].second.text(), "128");
    EXPECT_EQ(bag.entries()[1].first, "Zip1");
    EXPECT_EQ(bag.entries()[1].second.text(), "b");
    EXPECT_EQ(bag.entries()[2].first, "Zip10");
    EXPECT_EQ(bag.entries()[3].first, "\xC9t\xE9");
    EXPECT_EQ(bag.entries()[4].first, "\xE9T\xC9");

    ASSERT_NE(bag.find("memorymin"), nullptr);
    EXPECT_EQ(bag.find("memorymin")->text(), "128");
    EXPECT_EQ(bag.find("\xC9T\xE9")->text(), "d");
    EXPECT_EQ(bag.find("Zip"), nullptr);
    EXPECT_EQ(bag.find(""), nullptr);
    EXPECT_EQ(bag.read_property("ZIP10", Variant("none")).text(), "c");
    EXPECT_EQ(bag.read_property("Zip2", Variant("none")).text(), "none");
}

TEST(MemoryPropertyBag, ACopyFindsItsOwnKeys)
{
    MemoryPropertyBag bag;
    bag.set("A", Variant("1"));
    MemoryPropertyBag copy = bag;
    copy.set("a", Variant("2"));
    EXPECT_EQ(bag.find("a")->text(), "1");
    EXPECT_EQ(copy.find("A")->text(), "2");
    EXPECT_EQ(copy.entries().size(), 1u);
}

// A page may carry any number of <param> tags: with a scan per new key this
// takes minutes, indexed well under a second.
TEST(MemoryPropertyBag, ManyDistinctKeys)
{
    constexpr int kKeys = 150000;
    MemoryPropertyBag bag;
    for (int i = 0; i < kKeys; ++i) bag.set("Param" + std::to_string(i), Variant(std::to_string(i)));
    for (int i = 0; i < kKeys; i += 2) bag.set("PARAM" + std::to_string(i), Variant("even"));
    ASSERT_EQ(bag.entries().size(), static_cast<std::size_t>(kKeys));
    EXPECT_EQ(bag.entries()[kKeys - 1].first, "Param" + std::to_string(kKeys - 1));
    EXPECT_EQ(bag.find("param1234")->text(), "even");
    EXPECT_EQ(bag.find("param1235")->text(), "1235");
}

}  // namespace
