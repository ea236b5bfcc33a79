#pragma once
// The forty requirement properties: their names, bag keys, bag defaults and
// the orders in which the control declares and persists them (the member table
// publishes them in an order of its own).
#include "core/ascii_case.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace prestova {

// Declaration order of the control's members.
enum class Prop : std::uint8_t {
    JavaVersion, DiskSpaceRec, DiskSpaceMin, MemoryRec, MemoryMin, CPUMin, CPURec,
    ScreenRecWid, ScreenRecHgt, ScreenMinWid, ScreenMinHgt, recColorDepth, MinColorDepth,
    BlueYRM, GreenYRM, RedYRM, Blue2YRM, Green2YRM, Red2YRM, Blue3YRM, Green3YRM, Red3YRM,
    BlueOkYRM, GreenOkYRM, RedOkYRM, BlueBadYRM, GreenBadYRM, RedBadYRM,
    OSMin, OSRec, IEVersion, Zip1, Zip1URL, Zip2, Zip2URL, JavaURL, RealURL, IEURL, AdobeURL, FlashURL,
};
constexpr std::size_t kPropertyCount = 40;

struct PropertyInfo {
    Prop prop;
    std::string_view name;         // as the automation interface names it
    std::string_view bag_key;      // as the property bag stores it
    std::string_view bag_default;  // what loading supplies when the bag lacks the key
};

const PropertyInfo& property_info(Prop prop);
// Declaration order.
const std::array<PropertyInfo, kPropertyCount>& property_table();
// The order of loading and saving.
const std::array<Prop, kPropertyCount>& persistence_order();

// Lookup by automation name or by bag key, without regard to case.
std::optional<Prop> find_property(std::string_view name);
std::optional<Prop> find_property_by_bag_key(std::string_view key);

} // namespace prestova
