#include "design/properties.hpp"

namespace prestova {

namespace {

constexpr std::array<PropertyInfo, kPropertyCount> kProperties = std::to_array(property_rows::kRows);

// The properties placed by one of the table's columns.
template <typename Place>
constexpr std::array<Prop, kPropertyCount> ordered_by(Place place)
{
    std::array<Prop, kPropertyCount> order{};
    for (const auto& p : kProperties) order[static_cast<std::size_t>(place(p))] = p.prop;
    return order;
}

constexpr auto kPersistence = ordered_by([](const PropertyInfo& p) { return p.save_position; });
constexpr auto kPublished = ordered_by([](const PropertyInfo& p) { return kHighestPropertyDispid - p.dispid; });

}  // namespace

const PropertyInfo& property_info(Prop prop) { return kProperties[static_cast<std::size_t>(prop)]; }
const std::array<PropertyInfo, kPropertyCount>& property_table() { return kProperties; }
const std::array<Prop, kPropertyCount>& persistence_order() { return kPersistence; }
const std::array<Prop, kPropertyCount>& published_order() { return kPublished; }

std::optional<Prop> find_property_by_bag_key(std::string_view key)
{
    for (const auto& p : kProperties)
        if (equals_ignoring_case(p.bag_key, key)) return p.prop;
    return std::nullopt;
}

}  // namespace prestova
