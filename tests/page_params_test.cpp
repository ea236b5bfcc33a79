// What page_params.cases cannot show: a page read with no filter, and pages
// too large for a case file (references decoded beyond the code page are in
// text_rules.txt). Each of these takes many seconds when a '&' looks
// for its ';' through the rest of the page, or a key is found by a scan.
#include "platform/memory_property_bag.hpp"
#include "session/page_params.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace prestova;

namespace {

TEST(PageParams, ReadLargePages)
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

}  // namespace
