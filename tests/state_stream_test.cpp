// The control's saved state as a container keeps it (IPersistStreamInit),
// which the command line never writes: the property bag's keys in their first
// spelling and order, and every value a script can store read back exactly.
// (The older tags and malformed values are lines of tests/cases/text_rules.txt.)
#include "control/state_stream.hpp"
#include "session/typed_value.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

using namespace prestova;

namespace {

TEST(StateStream, KeepsTheBagsKeysAndReadsEveryValueBackExactly)
{
    // Keys match without regard to ASCII case only, as Windows matches bag
    // keys, and keep their first spelling and place.
    MemoryPropertyBag bag;
    bag.set("MemoryMin", Variant("64"));
    bag.set("Zip1", Variant("a"));
    bag.set("MEMORYMIN", Variant("128"));
    bag.write_property("zip1", Variant("line\r\nwith \\ and = in it"), Variant(""));
    bag.set("\xC9t\xE9", Variant("d"));
    bag.set("\xE9T\xC9", Variant("e"));
    EXPECT_EQ(bag.find("\xC9T\xE9")->text(), "d");
    // One value of each type a script can store, and the extremes of each
    // number type, written as --param writes them.
    std::istringstream typed(
        "empty: null: i2:-32768 i4:2147483647 r4:0.1 r4:-3.4028235e38 r4:1e-45 r8:-0.3333333333333333 r8:4.9e-324 "
        "r8:-0 cy:1234.5 cy:-922337203685477.5808 cy:922337203685477.5807 date:40000.5 date:-657434 "
        "date:2958465.999988426 bool:true error:-2147352572 error:-2147483648 dec:-1234567890.1234567890123456780 "
        "dec:-7.9228162514264337593543950335 ui1:200 ui1:0");
    int k = 0;
    for (std::string text; typed >> text;) bag.set(std::string("k").append(std::to_string(k++)), typed_value(text));

    const std::string stream = encode_state(bag);
    EXPECT_EQ(stream.substr(0, stream.find("k0=")), std::string(kStreamHeader) +
                                                        "MemoryMin=T:128\nZip1=T:line\\r\\nwith \\\\ and = in it\n"
                                                        "\xC9t\xE9=T:d\n\xE9T\xC9=T:e\n");
    const std::optional<MemoryPropertyBag> back = decode_state(stream);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->entries(), bag.entries());
}

}  // namespace
