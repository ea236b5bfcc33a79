#include "design/properties.hpp"

#include "core/indexed_table.hpp"

namespace prestova {

namespace {

using enum Prop;

constexpr std::array<PropertyInfo, kPropertyCount> kProperties{{
    {JavaVersion, "JavaVersion", "JavaVersion", "9.8"},
    {DiskSpaceRec, "DiskSpaceRec", "DiskSpaceRec", "1000"},
    {DiskSpaceMin, "DiskSpaceMin", "DiskSpaceMin", "500"},
    {MemoryRec, "MemoryRec", "MemoryRec", "128"},
    {MemoryMin, "MemoryMin", "MemoryMin", "64"},
    {CPUMin, "CPUMin", "CPUMin", "233"},
    {CPURec, "CPURec", "CPURec", "633"},
    {ScreenRecWid, "ScreenRecWid", "ScreenRecWid", ""},
    {ScreenRecHgt, "ScreenRecHgt", "ScreenRecHgt", ""},
    {ScreenMinWid, "ScreenMinWid", "ScreenMinWid", ""},
    {ScreenMinHgt, "ScreenMinHgt", "ScreenMinHgt", ""},
    {recColorDepth, "recColorDepth", "RecColorDepth", ""},
    {MinColorDepth, "MinColorDepth", "MinColorDepth", ""},
    {BlueYRM, "BlueYRM", "BlueYRM", "251"},
    {GreenYRM, "GreenYRM", "GreenYRM", "207"},
    {RedYRM, "RedYRM", "RedYRM", "172"},
    {Blue2YRM, "Blue2YRM", "Blue2YRM", "255"},
    {Green2YRM, "Green2YRM", "Green2YRM", "255"},
    {Red2YRM, "Red2YRM", "Red2YRM", "255"},
    {Blue3YRM, "Blue3YRM", "Blue3YRM", "255"},
    {Green3YRM, "Green3YRM", "Green3YRM", "255"},
    {Red3YRM, "Red3YRM", "Red3YRM", "255"},
    {BlueOkYRM, "BlueOkYRM", "BlueOkYRM", "255"},
    {GreenOkYRM, "GreenOkYRM", "GreenOkYRM", "255"},
    {RedOkYRM, "RedOkYRM", "RedOkYRM", "0"},
    {BlueBadYRM, "BlueBadYRM", "BlueBadYRM", "0"},
    {GreenBadYRM, "GreenBadYRM", "GreenBadYRM", "0"},
    {RedBadYRM, "RedBadYRM", "RedBadYRM", "255"},
    {OSMin, "OSMin", "OSMin", "Windows 98"},
    {OSRec, "OSRec", "OSRec", "Windows XP"},
    {IEVersion, "IEVersion", "IEVersion", "5.5"},
    {Zip1, "Zip1", "Zip1", ""},
    {Zip1URL, "Zip1URL", "Zip1URL", ""},
    {Zip2, "Zip2", "Zip2", ""},
    {Zip2URL, "Zip2URL", "Zip2URL", ""},
    {JavaURL, "JavaURL", "JavaURL", ""},
    {RealURL, "RealURL", "RealURL", ""},
    {IEURL, "IEURL", "IEURL", ""},
    {AdobeURL, "AdobeURL", "AdobeURL", ""},
    {FlashURL, "FlashURL", "FlashURL", ""},
}};

constexpr std::array<Prop, kPropertyCount> kPersistence{
    JavaVersion, DiskSpaceRec, DiskSpaceMin, MemoryRec, MemoryMin, CPURec, CPUMin,
    BlueOkYRM, GreenOkYRM, RedOkYRM, BlueBadYRM, GreenBadYRM, RedBadYRM, BlueYRM, GreenYRM, RedYRM,
    Blue2YRM, Green2YRM, Red2YRM, Blue3YRM, Green3YRM, Red3YRM, OSRec, OSMin, IEVersion,
    Zip1, Zip1URL, Zip2, Zip2URL, JavaURL, RealURL, IEURL, AdobeURL, FlashURL,
    recColorDepth, MinColorDepth, ScreenRecWid, ScreenRecHgt, ScreenMinWid, ScreenMinHgt,
};

static_assert(rows_in_key_order(kProperties, [](const PropertyInfo& p) { return p.prop; }),
              "the property table is indexed by Prop");

} // namespace

const PropertyInfo& property_info(Prop prop) { return kProperties[static_cast<std::size_t>(prop)]; }
const std::array<PropertyInfo, kPropertyCount>& property_table() { return kProperties; }
const std::array<Prop, kPropertyCount>& persistence_order() { return kPersistence; }

std::optional<Prop> find_property(std::string_view name)
{
    for (const auto& p : kProperties)
        if (equals_ignoring_case(p.name, name)) return p.prop;
    return std::nullopt;
}

std::optional<Prop> find_property_by_bag_key(std::string_view key)
{
    for (const auto& p : kProperties)
        if (equals_ignoring_case(p.bag_key, key)) return p.prop;
    return std::nullopt;
}

} // namespace prestova
