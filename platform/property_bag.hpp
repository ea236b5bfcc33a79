#pragma once
// The host's property bag.
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

}  // namespace prestova
