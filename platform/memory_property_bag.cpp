#include "platform/memory_property_bag.hpp"

#include <algorithm>

namespace prestova {

namespace {
unsigned char lower(char c) { return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); }
}  // namespace

bool MemoryPropertyBag::CaseLess::operator()(std::string_view a, std::string_view b) const
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (lower(a[i]) != lower(b[i])) return lower(a[i]) < lower(b[i]);
    return a.size() < b.size();
}

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
    if (const auto at = index_.find(key); at != index_.end()) {
        entries_[at->second].second = std::move(value);
        return;
    }
    entries_.emplace_back(std::string(key), std::move(value));
    try {
        index_.emplace(entries_.back().first, entries_.size() - 1);
    } catch (...) {
        entries_.pop_back();  // an entry the index cannot find would be found by no one
        throw;
    }
}

const Variant* MemoryPropertyBag::find(std::string_view key) const
{
    const auto at = index_.find(key);
    return at == index_.end() ? nullptr : &entries_[at->second].second;
}

}  // namespace prestova
