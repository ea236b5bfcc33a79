// The control's saved state keeps every value a script can store, through a
// property bag and through the stream text a container keeps.
#include "control/state_stream.hpp"
#include "control_support.hpp"
#include "design/properties.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace prestova;
using prestova::testing::TestControl;
using prestova::testing::xp_machine_text;

namespace {

std::vector<Variant> one_of_each_type()
{
    return {Variant(),
            Variant::null(),
            Variant::integer(-32768),
            Variant::long_integer(2147483647),
            Variant::single(0.1f),
            Variant::real(-1.0 / 3.0),
            Variant::currency(Currency{12345000}),
            Variant::date(40000.5),
            Variant("line\r\nwith \\ and = in it"),
            Variant::boolean(true),
            Variant::error(-2147352572),
            Variant::decimal(*parse_decimal("-1234567890.1234567890123456780")),
            Variant::byte(200)};
}

TEST(StateStream, SaveThenLoadKeepsEveryTypeAndValue)
{
    const auto values = one_of_each_type();
    TestControl saved(xp_machine_text());
    for (std::size_t i = 0; i < kPropertyCount; ++i) saved.control.put(static_cast<Prop>(i), values[i % values.size()]);

    MemoryPropertyBag bag;
    saved.control.write_properties(bag);
    const std::optional<MemoryPropertyBag> reloaded = decode_state(encode_state(bag));
    ASSERT_TRUE(reloaded.has_value());

    for (MemoryPropertyBag from : {bag, *reloaded}) {
        TestControl loaded(xp_machine_text());
        loaded.control.read_properties(from);
        for (std::size_t i = 0; i < kPropertyCount; ++i) {
            const Prop p = static_cast<Prop>(i);
            EXPECT_EQ(loaded.control.get(p), saved.control.get(p)) << property_table()[i].name;
        }
    }
}

TEST(StateStream, ExtremesOfEachNumberTypeReadBackExactly)
{
    const std::vector<Variant> values = {Variant::single(-3.4028235e38f),
                                         Variant::single(1e-45f),
                                         Variant::real(4.9e-324),
                                         Variant::real(-0.0),
                                         Variant::currency(Currency{INT64_MIN}),
                                         Variant::currency(Currency{INT64_MAX}),
                                         Variant::date(-657434.0),
                                         Variant::date(2958465.999988426),
                                         Variant::error(INT32_MIN),
                                         Variant::decimal(Decimal{0xFFFFFFFFu, 0xFFFFFFFFFFFFFFFFull, 28, true}),
                                         Variant::byte(0)};
    MemoryPropertyBag bag;
    for (std::size_t i = 0; i < values.size(); ++i) bag.set(std::string("k").append(std::to_string(i)), values[i]);
    const auto back = decode_state(encode_state(bag));
    ASSERT_TRUE(back.has_value());
    for (std::size_t i = 0; i < values.size(); ++i) {
        const Variant* v = back->find(std::string("k").append(std::to_string(i)));
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(*v, values[i]) << i;
    }
}

// A stream saved before the newer types had tags still loads as it did.
TEST(StateStream, AnOlderStreamStillLoads)
{
    const std::string older = std::string(kStreamHeader) +
                              "JavaVersion=T:1.6\nDiskSpaceRec=I:1000\nDiskSpaceMin=L:500\nMemoryRec=S:0.5\n"
                              "MemoryMin=D:64.25\nCPURec=B:1\nCPUMin=E:\n";
    const auto bag = decode_state(older);
    ASSERT_TRUE(bag.has_value());
    EXPECT_EQ(*bag->find("JavaVersion"), Variant("1.6"));
    EXPECT_EQ(*bag->find("DiskSpaceRec"), Variant::integer(1000));
    EXPECT_EQ(*bag->find("DiskSpaceMin"), Variant::long_integer(500));
    EXPECT_EQ(*bag->find("MemoryRec"), Variant::single(0.5f));
    EXPECT_EQ(*bag->find("MemoryMin"), Variant::real(64.25));
    EXPECT_EQ(*bag->find("CPURec"), Variant::boolean(true));
    EXPECT_EQ(*bag->find("CPUMin"), Variant());
}

TEST(StateStream, MalformedValuesAreRefused)
{
    for (const char* line : {"K=N:x\n", "K=Y:256\n", "K=Y:-1\n", "K=C:9223372036854775808\n", "K=A:day\n",
                             "K=R:2147483648\n", "K=M:1:2:29:0\n", "K=M:1:2:3\n", "K=M:1:2:3:2\n",
                             "K=M:4294967296:0:0:0\n", "K=Q:1\n", "K=I:1.5\n", "K=T:bad\\escape\n"}) {
        EXPECT_FALSE(decode_state(std::string(kStreamHeader) + line).has_value()) << line;
    }
}

}  // namespace
