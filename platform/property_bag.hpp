#pragma once
// The host's property bag and its change notification.
#include "core/variant.hpp"

#include <string_view>

namespace prestova {

class PropertyBag {
public:
    virtual ~PropertyBag() = default;
    // The value stored under key, or default_value when there is none.
    // A failure of the bag is thrown as ScriptError.
    virtual Variant read_property(std::string_view key, const Variant& default_value) = 0;
    virtual void write_property(std::string_view key, const Variant& value, const Variant& default_value) = 0;
};

class PropertyChangeSink {
public:
    virtual ~PropertyChangeSink() = default;
    // Told after a property was written; may throw ScriptError.
    virtual void property_changed(std::string_view bag_key) = 0;
};

} // namespace prestova
