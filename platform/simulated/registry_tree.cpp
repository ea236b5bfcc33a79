#include "platform/simulated/registry_tree.hpp"

#include "core/ascii_case.hpp"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <stdexcept>

namespace prestova {

namespace {

constexpr std::size_t npos = static_cast<std::size_t>(-1);
// Lists up to this long are searched one by one; longer ones get an index.
constexpr std::size_t kShortList = 8;

unsigned char upper(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 'a' && u <= 'z' ? static_cast<unsigned char>(u - 'a' + 'A') : u;
}

// Differs from run to run, so that no file can be made of names that all
// fall on the same slots.
std::uint32_t hash_seed()
{
    static const std::uint32_t seed = [] {
        const auto now = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        const auto where = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(&now));
        const std::uint64_t mixed = (now ^ where) * 0x9E3779B97F4A7C15u;
        return static_cast<std::uint32_t>(mixed >> 32);
    }();
    return seed;
}

// FNV-1a over the upper-case bytes from a seeded start, mixed so that the
// low bits spread.
std::uint32_t name_hash(std::string_view name)
{
    std::uint32_t h = 2166136261u ^ hash_seed();
    for (char c : name) {
        h ^= upper(c);
        h *= 16777619u;
    }
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    return h;
}

// Positions in a list of names, found without regard to case: open
// addressing with linear probing, each slot the position and its name's hash.
class NameIndex {
public:
    bool built() const { return !slots_.empty(); }

    template <typename NameAt>
    std::size_t find(std::string_view name, NameAt name_at) const
    {
        const std::uint32_t hash = name_hash(name);
        for (std::size_t i = hash & mask();; i = (i + 1) & mask()) {
            const Slot& slot = slots_[i];
            if (slot.position == kEmpty) return npos;
            if (slot.hash == hash && equals_ignoring_case(name_at(slot.position), name)) return slot.position;
        }
    }

    template <typename NameAt>
    void build(std::size_t count, NameAt name_at)
    {
        std::size_t size = 16;
        while (size * 7 < count * 10 + 10) size *= 2;
        slots_.assign(size, Slot{});
        count_ = 0;
        for (std::size_t p = 0; p < count; ++p) insert(static_cast<std::uint32_t>(p), name_at(p));
    }

    void insert(std::uint32_t position, std::string_view name)
    {
        if ((count_ + 1) * 10 > slots_.size() * 7) grow();
        place({position, name_hash(name)});
        ++count_;
    }

    // The slot of the name at `position` empties; backward shifting keeps
    // every other name reachable from its home slot.
    void erase(std::uint32_t position, std::string_view name)
    {
        std::size_t i = slot_of(position, name_hash(name));
        for (std::size_t j = (i + 1) & mask(); slots_[j].position != kEmpty; j = (j + 1) & mask()) {
            const std::size_t home = slots_[j].hash & mask();
            const bool stays = i <= j ? (i < home && home <= j) : (i < home || home <= j);
            if (!stays) {
                slots_[i] = slots_[j];
                i = j;
            }
        }
        slots_[i] = Slot{};
        --count_;
    }

    // The name at `from` now stands at `to`.
    void renumber(std::uint32_t from, std::uint32_t to, std::string_view name)
    {
        slots_[slot_of(from, name_hash(name))].position = to;
    }

private:
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
    struct Slot {
        std::uint32_t position = kEmpty;
        std::uint32_t hash = 0;
    };

    std::size_t mask() const { return slots_.size() - 1; }

    void place(Slot slot)
    {
        std::size_t i = slot.hash & mask();
        while (slots_[i].position != kEmpty) i = (i + 1) & mask();
        slots_[i] = slot;
    }

    void grow()
    {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(std::max<std::size_t>(16, old.size() * 2), Slot{});
        for (const Slot& slot : old)
            if (slot.position != kEmpty) place(slot);
    }

    // The slot holding `position`, which is in the index.
    std::size_t slot_of(std::uint32_t position, std::uint32_t hash) const
    {
        std::size_t i = hash & mask();
        while (slots_[i].position != position) i = (i + 1) & mask();
        return i;
    }

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

} // namespace

struct RegKeyIndex {
    NameIndex subkeys;
    NameIndex values;
};

StoredValue::StoredValue(std::string_view name, std::uint32_t type, std::span<const std::uint8_t> data)
{
    if (name.size() > 0xFFFFFFFFu || data.size() > 0xFFFFFFFFu) throw std::length_error("registry value too large");
    type_ = type;
    name_size_ = static_cast<std::uint32_t>(name.size());
    data_size_ = static_cast<std::uint32_t>(data.size());
    std::uint8_t* bytes = storage_;
    if (in_block()) {
        bytes = new std::uint8_t[name.size() + data.size()];
        std::memcpy(storage_, &bytes, sizeof bytes);
    }
    if (!name.empty()) std::memcpy(bytes, name.data(), name.size());
    if (!data.empty()) std::memcpy(bytes + name.size(), data.data(), data.size());
}

StoredValue::~StoredValue() { release(); }

StoredValue::StoredValue(StoredValue&& other) noexcept
    : type_(other.type_), name_size_(other.name_size_), data_size_(other.data_size_)
{
    std::memcpy(storage_, other.storage_, sizeof storage_);
    other.name_size_ = other.data_size_ = 0;  // the block, if any, is this value's now
}

StoredValue& StoredValue::operator=(StoredValue&& other) noexcept
{
    if (this != &other) {
        release();
        type_ = other.type_;
        name_size_ = other.name_size_;
        data_size_ = other.data_size_;
        std::memcpy(storage_, other.storage_, sizeof storage_);
        other.name_size_ = other.data_size_ = 0;
    }
    return *this;
}

void StoredValue::release()
{
    if (in_block()) delete[] bytes();
}

const std::uint8_t* StoredValue::bytes() const
{
    if (!in_block()) return storage_;
    const std::uint8_t* block = nullptr;
    std::memcpy(&block, storage_, sizeof block);
    return block;
}

std::string_view StoredValue::name() const { return {reinterpret_cast<const char*>(bytes()), name_size_}; }

std::span<const std::uint8_t> StoredValue::data() const { return {bytes() + name_size_, data_size_}; }

RegKey::RegKey(std::string name) : name_(std::move(name)) {}

RegKey::~RegKey()
{
    // Each key is emptied of its subkeys before it goes, so no destructor
    // ever calls another: the depth of the tree never reaches the stack.
    std::vector<std::unique_ptr<RegKey>> pending = std::move(subkeys_);
    while (!pending.empty()) {
        std::unique_ptr<RegKey> key = std::move(pending.back());
        pending.pop_back();
        for (auto& sub : key->subkeys_) pending.push_back(std::move(sub));
        key->subkeys_.clear();
    }
}

RegKeyIndex& RegKey::index() const
{
    if (!index_) index_ = std::make_unique<RegKeyIndex>();
    return *index_;
}

std::size_t RegKey::subkey_position(std::string_view name) const
{
    if (index_ && index_->subkeys.built())
        return index_->subkeys.find(name, [&](std::size_t p) { return std::string_view(subkeys_[p]->name_); });
    for (std::size_t i = 0; i < subkeys_.size(); ++i)
        if (equals_ignoring_case(subkeys_[i]->name_, name)) return i;
    return npos;
}

std::size_t RegKey::value_position(std::string_view name) const
{
    if (index_ && index_->values.built())
        return index_->values.find(name, [&](std::size_t p) { return values_[p].name(); });
    for (std::size_t i = 0; i < values_.size(); ++i)
        if (equals_ignoring_case(values_[i].name(), name)) return i;
    return npos;
}

void RegKey::sort_subkeys() const
{
    std::sort(subkeys_.begin(), subkeys_.end(),
              [](const auto& a, const auto& b) { return compare_key_names(a->name_, b->name_) < 0; });
    if (index_ && index_->subkeys.built())
        index_->subkeys.build(subkeys_.size(), [&](std::size_t p) { return std::string_view(subkeys_[p]->name_); });
    sorted_ = true;
}

const RegKey& RegKey::subkey_at(std::size_t index) const
{
    if (!sorted_) sort_subkeys();
    return *subkeys_.at(index);
}

RegKey& RegKey::subkey_at(std::size_t index)
{
    if (!sorted_) sort_subkeys();
    return *subkeys_.at(index);
}

RegKey* RegKey::find_subkey(std::string_view n)
{
    const std::size_t p = subkey_position(n);
    return p == npos ? nullptr : subkeys_[p].get();
}

const RegKey* RegKey::find_subkey(std::string_view n) const
{
    const std::size_t p = subkey_position(n);
    return p == npos ? nullptr : subkeys_[p].get();
}

RegKey& RegKey::subkey(std::string_view n)
{
    if (const std::size_t p = subkey_position(n); p != npos) return *subkeys_[p];
    if (subkeys_.size() >= 0xFFFFFFFEu) throw std::length_error("too many subkeys");
    // Exports list keys in order, so most keys arrive last in order too.
    if (sorted_ && !subkeys_.empty() && compare_key_names(subkeys_.back()->name_, n) > 0) sorted_ = false;
    subkeys_.push_back(std::make_unique<RegKey>(std::string(n)));
    RegKey& made = *subkeys_.back();
    if (index_ && index_->subkeys.built())
        index_->subkeys.insert(static_cast<std::uint32_t>(subkeys_.size() - 1), made.name_);
    else if (subkeys_.size() > kShortList)
        index().subkeys.build(subkeys_.size(), [&](std::size_t p) { return std::string_view(subkeys_[p]->name_); });
    return made;
}

bool RegKey::remove_subkey(std::string_view n)
{
    const std::size_t p = subkey_position(n);
    if (p == npos) return false;
    const std::size_t last = subkeys_.size() - 1;
    std::unique_ptr<RegKey> gone = std::move(subkeys_[p]);
    if (index_ && index_->subkeys.built()) {
        index_->subkeys.erase(static_cast<std::uint32_t>(p), gone->name_);
        if (p != last)
            index_->subkeys.renumber(static_cast<std::uint32_t>(last), static_cast<std::uint32_t>(p),
                                     subkeys_[last]->name_);
    }
    if (p != last) {
        subkeys_[p] = std::move(subkeys_[last]);
        sorted_ = false;
    }
    subkeys_.pop_back();
    return true;  // `gone` and all below it go here, without recursion
}

const StoredValue* RegKey::find_value(std::string_view n) const
{
    const std::size_t p = value_position(n);
    return p == npos ? nullptr : &values_[p];
}

void RegKey::set_value(std::string_view n, std::uint32_t type, std::span<const std::uint8_t> data)
{
    if (const std::size_t p = value_position(n); p != npos) {
        values_[p] = StoredValue(values_[p].name(), type, data);
        return;
    }
    if (values_.size() >= 0xFFFFFFFEu) throw std::length_error("too many values");
    // Keys that have values mostly have several: room for a few at once.
    if (values_.empty()) values_.reserve(4);
    values_.emplace_back(n, type, data);
    if (index_ && index_->values.built())
        index_->values.insert(static_cast<std::uint32_t>(values_.size() - 1), values_.back().name());
    else if (values_.size() > kShortList)
        index().values.build(values_.size(), [&](std::size_t p) { return values_[p].name(); });
}

void RegKey::remove_value(std::string_view n)
{
    const std::size_t p = value_position(n);
    if (p == npos) return;
    const std::size_t last = values_.size() - 1;
    if (index_ && index_->values.built()) {
        index_->values.erase(static_cast<std::uint32_t>(p), values_[p].name());
        if (p != last)
            index_->values.renumber(static_cast<std::uint32_t>(last), static_cast<std::uint32_t>(p),
                                    values_[last].name());
    }
    if (p != last) values_[p] = std::move(values_[last]);
    values_.pop_back();
}

std::string upper_ascii(std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = static_cast<char>(upper(c));
    return out;
}

int compare_key_names(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = upper(a[i]), y = upper(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

std::vector<std::string> split_key_path(std::string_view path)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') {
            if (i > start) parts.emplace_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
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
        if (equals_ignoring_case(root, r.name) || equals_ignoring_case(root, r.abbreviation)) return r.root;
    return std::nullopt;
}

std::optional<KeyName> parse_key_name(std::string_view full)
{
    auto parts = split_key_path(full);
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

std::string canonical_key_text(const KeyName& name)
{
    std::string text = hive_name(name.hive);
    for (const auto& part : name.parts) {
        text += '\\';
        for (char c : part) text += static_cast<char>(upper(c));
    }
    return text;
}

RegKey& RegistryTree::hive(Hive h)
{
    auto& root = hives_[static_cast<std::size_t>(h)];
    if (!root) root = std::make_unique<RegKey>();
    return *root;
}

const RegKey* RegistryTree::find_hive(Hive h) const { return hives_[static_cast<std::size_t>(h)].get(); }

RegKey* RegistryTree::find(const KeyName& name)
{
    RegKey* key = hives_[static_cast<std::size_t>(name.hive)].get();
    for (auto part = name.parts.begin(); key && part != name.parts.end(); ++part) key = key->find_subkey(*part);
    return key;
}

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
    RegKey* parent = hives_[static_cast<std::size_t>(name.hive)].get();
    for (std::size_t i = 0; parent && i + 1 < name.parts.size(); ++i) parent = parent->find_subkey(name.parts[i]);
    if (parent) parent->remove_subkey(name.parts.back());
}

} // namespace prestova
