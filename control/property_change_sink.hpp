#pragma once
// The host's change notification: told which property a write replaced.
#include "design/properties.hpp"

namespace prestova {

class PropertyChangeSink {
public:
    virtual ~PropertyChangeSink() = default;
    // Told after a property was written; may throw ScriptError.
    virtual void property_changed(Prop prop) = 0;
};

}  // namespace prestova
