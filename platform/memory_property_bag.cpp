#include "platform/memory_property_bag.hpp"

#include "core/ascii_case.hpp"

namespace prestova {

Variant MemoryPropertyBag::read_property(std::string_view key, const Variant& default_value)
{
    const Variant* v = find(key);
    return v ? *v : default_value;
}

void MemoryPropertyBag::write_property(std::string_view key, const Variant& value, const Variant&)
{
    // Everything is kept, values equal to their default included, so a
    // saved control can be read back exactly.
    set(key, value);
}

void MemoryPropertyBag::set(std::string_view key, Variant value)
{
    for (auto& [k, v] : entries_) {
        if (equals_ignoring_case(k, key)) {
            v = std::move(value);
            return;
        }
    }
    entries_.emplace_back(std::string(key), std::move(value));
}

const Variant* MemoryPropertyBag::find(std::string_view key) const
{
    for (const auto& [k, v] : entries_)
        if (equals_ignoring_case(k, key)) return &v;
    return nullptr;
}

} // namespace prestova
