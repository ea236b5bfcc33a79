#pragma once
// A property bag held in memory, as a browser builds one from a page's
// <param> tags: keys keep their first spelling and match without regard to
// case, values keep the order they were first written in.
#include "platform/property_bag.hpp"

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace prestova {

class MemoryPropertyBag final : public PropertyBag {
public:
    Variant read_property(std::string_view key, const Variant& default_value) override;
    void write_property(std::string_view key, const Variant& value, const Variant& default_value) override;

    // Adds the key or replaces its value.
    void set(std::string_view key, Variant value);
    const Variant* find(std::string_view key) const;
    const std::vector<std::pair<std::string, Variant>>& entries() const { return entries_; }

private:
    // Orders keys as ASCII lower case, so names differing only in case are one.
    struct CaseLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };

    std::vector<std::pair<std::string, Variant>> entries_;
    // A page may hold any number of keys: each one is found in the index
    // (position in entries_) rather than by scanning the entries.
    std::map<std::string, std::size_t, CaseLess> index_;
};

}  // namespace prestova
