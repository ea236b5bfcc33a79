#include "platform/simulated/registry_tree.hpp"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory_resource>
#include <new>
#include <map>
#include <set>
#include <span>
#include <stdexcept>
#include <utility>

namespace prestova {

namespace {

// Lists of values up to this long are searched one by one; longer ones get an index.
constexpr std::size_t kShortList = 8;

unsigned char upper(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 'a' && u <= 'z' ? static_cast<unsigned char>(u - 'a' + 'A') : u;
}

std::uint32_t checked_size(std::size_t size)
{
    if (size > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("registry value too long");
    return static_cast<std::uint32_t>(size);
}

bool same_name(std::string_view a, std::string_view b) { return a.size() == b.size() && compare_key_names(a, b) == 0; }

// Names in Windows' order, which also finds them without regard to case.
struct NameOrder {
    using is_transparent = void;
    static std::string_view name(std::string_view text) { return text; }
    static std::string_view name(const RegKey* key) { return key->name(); }
    template <typename A, typename B>
    bool operator()(const A& a, const B& b) const
    {
        return compare_key_names(name(a), name(b)) < 0;
    }
};

// Copies of names and bytes stay where they are put until the tree goes.
char* copy_into(std::pmr::memory_resource* memory, std::string_view first, std::span<const std::uint8_t> second = {})
{
    const std::size_t size = first.size() + second.size();
    auto* const at = static_cast<char*>(memory->allocate(std::max<std::size_t>(size, 1), 1));
    if (!first.empty()) std::memcpy(at, first.data(), first.size());
    if (!second.empty()) std::memcpy(at + first.size(), second.data(), second.size());
    return at;
}

}  // namespace

struct RegKey::Subkeys {
    explicit Subkeys(std::pmr::memory_resource* memory) : keys(memory), listing(memory) {}
    std::pmr::set<RegKey*, NameOrder> keys;
    std::pmr::vector<const RegKey*> listing;  // keys by index; made again after a change
};

// Each name's position in values_.
struct RegKey::ValueIndex {
    explicit ValueIndex(std::pmr::memory_resource* memory) : positions(memory) {}
    std::pmr::map<std::string_view, std::size_t, NameOrder> positions;
};

StoredValue::StoredValue(std::string_view name, std::uint32_t type, std::span<const std::uint8_t> data,
                         std::pmr::memory_resource* memory)
    : bytes_(copy_into(memory, name, data)), name_size_(checked_size(name.size())),
      data_size_(checked_size(data.size())), type_(type)
{}

RegKey::RegKey(std::string_view name, std::pmr::memory_resource* memory)
    : name_(copy_into(memory, name), name.size()), values_(memory)
{}

// Never destroyed: a key's memory is the tree's, and goes with it.
RegKey* RegKey::make(std::string_view name, std::pmr::memory_resource* memory)
{
    return new (memory->allocate(sizeof(RegKey), alignof(RegKey))) RegKey(name, memory);
}

std::size_t RegKey::subkey_count() const { return subkeys_ ? subkeys_->keys.size() : 0; }

const RegKey& RegKey::subkey_at(std::size_t index) const
{
    if (index >= subkey_count()) throw std::out_of_range("no such subkey");
    std::pmr::vector<const RegKey*>& listing = subkeys_->listing;
    if (listing.empty()) listing.assign(subkeys_->keys.begin(), subkeys_->keys.end());
    return *listing[index];
}

RegKey& RegKey::subkey_at(std::size_t index) { return const_cast<RegKey&>(std::as_const(*this).subkey_at(index)); }

RegKey* RegKey::find_subkey(std::string_view n) { return const_cast<RegKey*>(std::as_const(*this).find_subkey(n)); }

const RegKey* RegKey::find_subkey(std::string_view n) const
{
    if (!subkeys_) return nullptr;
    const auto found = subkeys_->keys.find(n);
    return found == subkeys_->keys.end() ? nullptr : *found;
}

RegKey& RegKey::subkey(std::string_view n)
{
    std::pmr::memory_resource* const memory = values_.get_allocator().resource();
    if (!subkeys_) subkeys_ = std::pmr::polymorphic_allocator<>(memory).new_object<Subkeys>(memory);
    auto& keys = subkeys_->keys;
    // Exports list keys in order: the name is mostly the last one or after it.
    auto at = keys.end();
    if (!keys.empty()) {
        RegKey* const last = *keys.rbegin();
        const int order = compare_key_names(n, last->name());
        if (order == 0) return *last;
        if (order < 0) {
            at = keys.lower_bound(n);
            if (compare_key_names(n, (*at)->name()) == 0) return **at;
        }
    }
    subkeys_->listing.clear();
    return **keys.insert(at, make(n, memory));
}

bool RegKey::remove_subkey(std::string_view n)
{
    if (!subkeys_) return false;
    const auto found = subkeys_->keys.find(n);
    if (found == subkeys_->keys.end()) return false;
    subkeys_->listing.clear();
    subkeys_->keys.erase(found);
    return true;
}

std::size_t RegKey::value_position(std::string_view n) const
{
    if (value_index_) {
        const auto found = value_index_->positions.find(n);
        return found == value_index_->positions.end() ? values_.size() : found->second;
    }
    for (std::size_t i = 0; i < values_.size(); ++i)
        if (same_name(values_[i].name(), n)) return i;
    return values_.size();
}

const StoredValue* RegKey::find_value(std::string_view n) const
{
    const std::size_t p = value_position(n);
    return p == values_.size() ? nullptr : &values_[p];
}

void RegKey::set_value(std::string_view n, std::uint32_t type, std::span<const std::uint8_t> data)
{
    std::pmr::memory_resource* const memory = values_.get_allocator().resource();
    const std::size_t p = value_position(n);
    if (p != values_.size()) {
        values_[p] = StoredValue(values_[p].name(), type, data, memory);
        return;
    }
    // Keys that have values mostly have several: room for a few at once.
    if (values_.empty()) values_.reserve(4);
    values_.push_back(StoredValue(n, type, data, memory));
    if (value_index_) {
        value_index_->positions.emplace(values_.back().name(), p);
    } else if (values_.size() > kShortList) {
        value_index_ = std::pmr::polymorphic_allocator<>(memory).new_object<ValueIndex>(memory);
        for (std::size_t i = 0; i < values_.size(); ++i) value_index_->positions.emplace(values_[i].name(), i);
    }
}

void RegKey::remove_value(std::string_view n)
{
    const std::size_t p = value_position(n);
    if (p == values_.size()) return;
    const std::size_t last = values_.size() - 1;
    if (value_index_) {
        value_index_->positions.erase(value_index_->positions.find(n));
        if (p != last) value_index_->positions.find(values_[last].name())->second = p;
    }
    if (p != last) values_[p] = values_[last];
    values_.pop_back();
}

int compare_key_names(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] == b[i]) continue;  // the common case, and equal in upper case too
        const unsigned char x = upper(a[i]), y = upper(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

const char* hive_name(Hive hive)
{
    static constexpr const char* names[] = {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_USERS",
                                            "HKEY_CURRENT_CONFIG"};
    return names[static_cast<int>(hive)];
}

std::optional<HiveRoot> parse_hive_name(std::string_view root)
{
    static constexpr struct {
        std::string_view name;
        std::string_view abbreviation;
        HiveRoot root;
    } roots[] = {{"HKEY_LOCAL_MACHINE", "HKLM", {Hive::LocalMachine, false}},
                 {"HKEY_CLASSES_ROOT", "HKCR", {Hive::LocalMachine, true}},
                 {"HKEY_CURRENT_USER", "HKCU", {Hive::CurrentUser, false}},
                 {"HKEY_USERS", "HKU", {Hive::Users, false}},
                 {"HKEY_CURRENT_CONFIG", "HKCC", {Hive::CurrentConfig, false}}};
    for (const auto& r : roots)
        if (same_name(root, r.name) || same_name(root, r.abbreviation)) return r.root;
    return std::nullopt;
}

std::optional<KeyName> parse_key_name(std::string_view full)
{
    std::vector<std::string> parts;
    for (std::size_t start = 0; start <= full.size();) {
        const std::size_t end = std::min(full.find('\\', start), full.size());
        if (end > start) parts.emplace_back(full.substr(start, end - start));
        start = end + 1;
    }
    if (parts.empty()) return std::nullopt;
    const auto root = parse_hive_name(parts.front());
    if (!root) return std::nullopt;
    KeyName name;
    name.hive = root->hive;
    if (root->classes_root) name.parts = {"SOFTWARE", "Classes"};
    name.parts.insert(name.parts.end(), std::make_move_iterator(parts.begin() + 1),
                      std::make_move_iterator(parts.end()));
    return name;
}

RegistryTree::RegistryTree(RegistryTree&& other) noexcept
    : memory_(std::move(other.memory_)), hives_(std::exchange(other.hives_, {}))
{}

RegistryTree& RegistryTree::operator=(RegistryTree&& other) noexcept
{
    if (this != &other) {
        memory_ = std::move(other.memory_);
        hives_ = std::exchange(other.hives_, {});
    }
    return *this;
}

RegKey& RegistryTree::hive(Hive h)
{
    RegKey*& root = hives_[static_cast<std::size_t>(h)];
    if (!root) {
        if (!memory_) memory_ = std::make_unique<std::pmr::monotonic_buffer_resource>();
        root = RegKey::make({}, memory_.get());
    }
    return *root;
}

const RegKey* RegistryTree::find_hive(Hive h) const { return hives_[static_cast<std::size_t>(h)]; }

RegKey* RegistryTree::find(const KeyName& name) { return const_cast<RegKey*>(std::as_const(*this).find(name)); }

const RegKey* RegistryTree::find(const KeyName& name) const
{
    const RegKey* key = find_hive(name.hive);
    for (auto part = name.parts.begin(); key && part != name.parts.end(); ++part) key = key->find_subkey(*part);
    return key;
}

RegKey& RegistryTree::make(const KeyName& name)
{
    RegKey* key = &hive(name.hive);
    for (const auto& part : name.parts) key = &key->subkey(part);
    return *key;
}

void RegistryTree::remove(const KeyName& name)
{
    if (name.parts.empty()) return;
    RegKey* parent = hives_[static_cast<std::size_t>(name.hive)];
    for (std::size_t i = 0; parent && i + 1 < name.parts.size(); ++i) parent = parent->find_subkey(name.parts[i]);
    if (parent) parent->remove_subkey(name.parts.back());
}

}  // namespace prestova
