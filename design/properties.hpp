#pragma once
// The forty requirement properties: their names, bag keys, bag defaults,
// automation identifiers and place in the order of loading and saving. Every
// count and order the other layers use comes from this one table.
#include "core/ascii_case.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string_view>

namespace prestova {

// Declaration order of the control's members.
// clang-format off
enum class Prop : std::uint8_t {
    JavaVersion, DiskSpaceRec, DiskSpaceMin, MemoryRec, MemoryMin, CPUMin, CPURec,
    ScreenRecWid, ScreenRecHgt, ScreenMinWid, ScreenMinHgt, recColorDepth, MinColorDepth,
    BlueYRM, GreenYRM, RedYRM, Blue2YRM, Green2YRM, Red2YRM, Blue3YRM, Green3YRM, Red3YRM,
    BlueOkYRM, GreenOkYRM, RedOkYRM, BlueBadYRM, GreenBadYRM, RedBadYRM,
    OSMin, OSRec, IEVersion, Zip1, Zip1URL, Zip2, Zip2URL, JavaURL, RealURL, IEURL, AdobeURL, FlashURL,
};
// clang-format on

struct PropertyInfo {
    Prop prop;
    std::string_view name;         // as the automation interface names it
    std::string_view bag_key;      // as the property bag stores it
    std::string_view bag_default;  // what loading supplies when the bag lacks the key
    // The automation identifier, shared by reading and writing; the interface
    // publishes the properties from the highest identifier down.
    std::int32_t dispid;
    std::uint8_t save_position;  // place in the order of loading and saving
};

namespace property_rows {
using enum Prop;
// Rows in declaration order.
// clang-format off
inline constexpr PropertyInfo kRows[] = {
    {JavaVersion, "JavaVersion", "JavaVersion", "9.8", 0x68030027, 0},
    {DiskSpaceRec, "DiskSpaceRec", "DiskSpaceRec", "1000", 0x68030026, 1},
    {DiskSpaceMin, "DiskSpaceMin", "DiskSpaceMin", "500", 0x68030025, 2},
    {MemoryRec, "MemoryRec", "MemoryRec", "128", 0x68030023, 3},
    {MemoryMin, "MemoryMin", "MemoryMin", "64", 0x68030024, 4},
    {CPUMin, "CPUMin", "CPUMin", "233", 0x68030022, 6},
    {CPURec, "CPURec", "CPURec", "633", 0x68030021, 5},
    {ScreenRecWid, "ScreenRecWid", "ScreenRecWid", "", 0x68030003, 36},
    {ScreenRecHgt, "ScreenRecHgt", "ScreenRecHgt", "", 0x68030002, 37},
    {ScreenMinWid, "ScreenMinWid", "ScreenMinWid", "", 0x68030001, 38},
    {ScreenMinHgt, "ScreenMinHgt", "ScreenMinHgt", "", 0x68030000, 39},
    {recColorDepth, "recColorDepth", "RecColorDepth", "", 0x68030005, 34},
    {MinColorDepth, "MinColorDepth", "MinColorDepth", "", 0x68030004, 35},
    {BlueYRM, "BlueYRM", "BlueYRM", "251", 0x68030020, 13},
    {GreenYRM, "GreenYRM", "GreenYRM", "207", 0x6803001E, 14},
    {RedYRM, "RedYRM", "RedYRM", "172", 0x6803001F, 15},
    {Blue2YRM, "Blue2YRM", "Blue2YRM", "255", 0x68030017, 16},
    {Green2YRM, "Green2YRM", "Green2YRM", "255", 0x68030015, 17},
    {Red2YRM, "Red2YRM", "Red2YRM", "255", 0x68030016, 18},
    {Blue3YRM, "Blue3YRM", "Blue3YRM", "255", 0x68030014, 19},
    {Green3YRM, "Green3YRM", "Green3YRM", "255", 0x68030012, 20},
    {Red3YRM, "Red3YRM", "Red3YRM", "255", 0x68030013, 21},
    {BlueOkYRM, "BlueOkYRM", "BlueOkYRM", "255", 0x6803001A, 7},
    {GreenOkYRM, "GreenOkYRM", "GreenOkYRM", "255", 0x68030018, 8},
    {RedOkYRM, "RedOkYRM", "RedOkYRM", "0", 0x68030019, 9},
    {BlueBadYRM, "BlueBadYRM", "BlueBadYRM", "0", 0x6803001D, 10},
    {GreenBadYRM, "GreenBadYRM", "GreenBadYRM", "0", 0x6803001B, 11},
    {RedBadYRM, "RedBadYRM", "RedBadYRM", "255", 0x6803001C, 12},
    {OSMin, "OSMin", "OSMin", "Windows 98", 0x68030010, 23},
    {OSRec, "OSRec", "OSRec", "Windows XP", 0x68030011, 22},
    {IEVersion, "IEVersion", "IEVersion", "5.5", 0x6803000F, 24},
    {Zip1, "Zip1", "Zip1", "", 0x6803000E, 25},
    {Zip1URL, "Zip1URL", "Zip1URL", "", 0x6803000D, 26},
    {Zip2, "Zip2", "Zip2", "", 0x6803000C, 27},
    {Zip2URL, "Zip2URL", "Zip2URL", "", 0x6803000B, 28},
    {JavaURL, "JavaURL", "JavaURL", "", 0x6803000A, 29},
    {RealURL, "RealURL", "RealURL", "", 0x68030009, 30},
    {IEURL, "IEURL", "IEURL", "", 0x68030008, 31},
    {AdobeURL, "AdobeURL", "AdobeURL", "", 0x68030007, 32},
    {FlashURL, "FlashURL", "FlashURL", "", 0x68030006, 33},
};
// clang-format on
}  // namespace property_rows

inline constexpr std::size_t kPropertyCount = std::size(property_rows::kRows);
// Published identifiers: one block, the first property at the top.
inline constexpr std::int32_t kLowestPropertyDispid = 0x68030000;
inline constexpr std::int32_t kHighestPropertyDispid = 0x68030027;

namespace property_rows {
constexpr bool in_declaration_order()
{
    for (std::size_t i = 0; i < kPropertyCount; ++i)
        if (static_cast<std::size_t>(kRows[i].prop) != i) return false;
    return true;
}
// Each of the column's values from 0 to count - 1 exactly once.
template <typename Column>
constexpr bool each_place_once(Column column)
{
    std::array<int, kPropertyCount> seen{};
    for (const auto& row : kRows) {
        const auto place = static_cast<std::size_t>(column(row));
        if (place >= kPropertyCount || seen[place]++) return false;
    }
    return true;
}
static_assert(in_declaration_order(), "the property table is indexed by Prop");
static_assert(std::none_of(std::begin(kRows), std::end(kRows),
                           [](const PropertyInfo& p) {
                               return p.dispid < kLowestPropertyDispid || p.dispid > kHighestPropertyDispid;
                           }),
              "every property's identifier lies in 0x68030000-0x68030027");
static_assert(each_place_once([](const PropertyInfo& p) { return kHighestPropertyDispid - p.dispid; }),
              "each property has an identifier of its own, with none left out");
static_assert(each_place_once([](const PropertyInfo& p) { return p.save_position; }),
              "each property has a place of its own in the saved order");
}  // namespace property_rows

const PropertyInfo& property_info(Prop prop);
// Declaration order.
const std::array<PropertyInfo, kPropertyCount>& property_table();
// The order of loading and saving.
const std::array<Prop, kPropertyCount>& persistence_order();
// The order in which the interface publishes them (identifiers falling).
const std::array<Prop, kPropertyCount>& published_order();

// Lookup by bag key, without regard to case.
std::optional<Prop> find_property_by_bag_key(std::string_view key);

}  // namespace prestova
