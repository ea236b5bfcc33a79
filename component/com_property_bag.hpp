#pragma once
// The container's IPropertyBag as the core's property bag.
#include "platform/property_bag.hpp"

#include <windows.h>
#include <ocidl.h>

namespace prestova::component {

class ComPropertyBag final : public PropertyBag {
public:
    ComPropertyBag(IPropertyBag* bag, IErrorLog* log) : bag_(bag), log_(log) {}
    Variant read_property(std::string_view key, const Variant& default_value) override;
    void write_property(std::string_view key, const Variant& value, const Variant& default_value) override;

private:
    IPropertyBag* bag_;
    IErrorLog* log_;
};

}  // namespace prestova::component
