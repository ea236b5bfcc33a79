#include "platform/simulated/registry_tree.hpp"

#include "core/ascii_case.hpp"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

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

// Names and values are mostly a few dozen bytes: two overlapping copies of
// a fixed size, which compile to moves, instead of a call for those.
template <std::size_t Width>
void copy_ends(char* to, const char* from, std::size_t size)
{
    std::memcpy(to, from, Width);
    std::memcpy(to + size - Width, from + size - Width, Width);
}

[[gnu::always_inline]] inline void copy_bytes(void* to_block, const void* from_block, std::size_t size)
{
    auto* to = static_cast<char*>(to_block);
    const auto* from = static_cast<const char*>(from_block);
    if (size > 32) std::memcpy(to, from, size);
    else if (size >= 16) copy_ends<16>(to, from, size);
    else if (size >= 8) copy_ends<8>(to, from, size);
    else if (size >= 4) copy_ends<4>(to, from, size);
    else
        for (std::size_t i = 0; i < size; ++i) to[i] = from[i];
}

// Eight bytes a step, each with bit 5 cleared, so that a letter's two cases
// hash alike (other bytes may then share a hash, never a match); seeded, and
// mixed so that the low bits spread.
std::uint32_t name_hash(std::string_view name)
{
    constexpr std::uint64_t kFold = 0xDFDFDFDFDFDFDFDFu;
    constexpr std::uint64_t kMultiplier = 0xFF51AFD7ED558CCDu;
    std::uint64_t h = (0x9E3779B97F4A7C15u ^ hash_seed()) + name.size();
    const char* at = name.data();
    std::size_t left = name.size();
    for (; left >= 8; at += 8, left -= 8) {
        std::uint64_t word;
        std::memcpy(&word, at, sizeof word);
        h = (h ^ (word & kFold)) * kMultiplier;
        h ^= h >> 32;
    }
    if (left) {
        std::uint64_t word = 0;
        for (std::size_t i = 0; i < left; ++i) word |= std::uint64_t{static_cast<unsigned char>(at[i])} << (8 * i);
        h = (h ^ (word & kFold)) * kMultiplier;
    }
    h ^= h >> 29;
    h *= 0xC4CEB9FE1A85EC53u;
    h ^= h >> 32;
    return static_cast<std::uint32_t>(h);
}

// Positions in a list of names, found without regard to case: open
// addressing with linear probing, each slot the position and its name's
// hash. The slots live in the tree's storage.
class NameIndex {
public:
    bool built() const { return slots_ != nullptr; }
    std::size_t size() const { return count_; }  // names in the index

    template <typename NameAt>
    std::size_t find(std::string_view name, std::uint32_t hash, NameAt name_at) const
    {
        for (std::size_t i = hash & mask();; i = (i + 1) & mask()) {
            const Slot& slot = slots_[i];
            if (slot.position == kEmpty) return npos;
            if (slot.hash == hash && equals_ignoring_case(name_at(slot.position), name)) return slot.position;
        }
    }

    template <typename NameAt>
    void build(RegistryStorage& storage, std::size_t count, NameAt name_at)
    {
        std::size_t size = 16;
        while (size * 7 < count * 10 + 10) size *= 2;
        reset(storage, size);
        for (std::size_t p = 0; p < count; ++p) insert(storage, static_cast<std::uint32_t>(p), name_hash(name_at(p)));
    }

    void insert(RegistryStorage& storage, std::uint32_t position, std::uint32_t hash)
    {
        if ((count_ + 1) * 10 > std::size_t{size_} * 7) grow(storage);
        place({position, hash});
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

    void release(RegistryStorage& storage) noexcept
    {
        storage.release(slots_, std::size_t{size_} * sizeof(Slot));
        slots_ = nullptr;
        size_ = count_ = 0;
    }

private:
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
    struct Slot {
        std::uint32_t position = kEmpty;
        std::uint32_t hash = 0;
    };

    std::size_t mask() const { return size_ - 1; }

    void reset(RegistryStorage& storage, std::size_t size)
    {
        release(storage);
        slots_ = static_cast<Slot*>(storage.allocate(size * sizeof(Slot)));
        std::uninitialized_fill_n(slots_, size, Slot{});
        size_ = static_cast<std::uint32_t>(size);
    }

    void place(Slot slot)
    {
        std::size_t i = slot.hash & mask();
        while (slots_[i].position != kEmpty) i = (i + 1) & mask();
        slots_[i] = slot;
    }

    void grow(RegistryStorage& storage)
    {
        Slot* const old = slots_;
        const std::size_t old_size = size_;
        const std::uint32_t count = count_;
        slots_ = nullptr;
        reset(storage, std::max<std::size_t>(16, old_size * 2));
        for (std::size_t i = 0; i < old_size; ++i)
            if (old[i].position != kEmpty) place(old[i]);
        count_ = count;
        storage.release(old, old_size * sizeof(Slot));
    }

    // The slot holding `position`, which is in the index.
    std::size_t slot_of(std::uint32_t position, std::uint32_t hash) const
    {
        std::size_t i = hash & mask();
        while (slots_[i].position != position) i = (i + 1) & mask();
        return i;
    }

    Slot* slots_ = nullptr;
    std::uint32_t size_ = 0;
    std::uint32_t count_ = 0;
};

} // namespace

struct RegKeyIndex {
    NameIndex subkeys;
    NameIndex values;
};

[[gnu::always_inline]] inline void StoredValue::assign(RegistryStorage& storage, std::string_view name, std::uint32_t type,
                         std::span<const std::uint8_t> data)
{
    // Both are in memory, so their sum cannot wrap.
    if (name.size() + data.size() > 0xFFFFFFFFu) throw std::length_error("registry value too large");
    std::uint8_t* bytes = storage_;
    const std::size_t size = name.size() + data.size();
    if (size > kInlineBytes) {
        bytes = static_cast<std::uint8_t*>(storage.allocate(size));
        std::memcpy(storage_, &bytes, sizeof bytes);
    }
    // Nothing can fail from here on.
    type_ = type;
    name_size_ = static_cast<std::uint32_t>(name.size());
    data_size_ = static_cast<std::uint32_t>(data.size());
    copy_bytes(bytes, name.data(), name.size());
    copy_bytes(bytes + name.size(), data.data(), data.size());
}

void StoredValue::release(RegistryStorage& storage) noexcept
{
    if (in_block()) storage.release(const_cast<std::uint8_t*>(bytes()), std::size_t{name_size_} + data_size_);
    name_size_ = data_size_ = 0;
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

RegKey* RegKey::make(RegistryStorage& storage, std::string_view name)
{
    if (name.size() > 0xFFFFFFFFu - sizeof(RegKey)) throw std::length_error("registry key name too long");
    void* block = storage.allocate(sizeof(RegKey) + name.size());
    auto* key = new (block) RegKey(storage, static_cast<std::uint32_t>(name.size()));
    copy_bytes(static_cast<char*>(block) + sizeof(RegKey), name.data(), name.size());
    return key;
}

void RegKey::release_own_blocks() noexcept
{
    RegistryStorage& storage = *storage_;
    for (std::uint32_t i = 0; i < value_count_; ++i) values_[i].release(storage);
    storage.release(values_, std::size_t{value_capacity_} * sizeof(StoredValue));
    storage.release(subkeys_, std::size_t{subkey_capacity_} * sizeof(RegKey*));
    if (index_) {
        index_->subkeys.release(storage);
        index_->values.release(storage);
        storage.release(index_, sizeof(RegKeyIndex));
    }
    storage.release(this, sizeof(RegKey) + name_size_);
}

void RegKey::release(RegKey* key) noexcept
{
    // Each key hands its subkeys to the list before it goes, so the depth
    // of the tree never reaches the stack.
    std::vector<RegKey*> pending;
    try {
        pending.push_back(key);
    } catch (...) {
        return;  // left to the storage, which goes with the tree
    }
    while (!pending.empty()) {
        RegKey* k = pending.back();
        pending.pop_back();
        try {
            pending.insert(pending.end(), k->subkeys_, k->subkeys_ + k->subkey_count_);
        } catch (...) {
            continue;  // out of memory: its subkeys stay in the storage until the tree goes
        }
        k->release_own_blocks();
    }
}

template <typename T>
void RegKey::grow(T*& items, std::uint32_t count, std::uint32_t& capacity, std::uint32_t at_least)
{
    if (count >= 0xFFFFFFFEu) throw std::length_error("too many registry items");
    const std::uint32_t wanted =
        std::max(at_least, capacity > 0x7FFFFFFFu ? 0xFFFFFFFFu : capacity * 2);
    T* const moved = static_cast<T*>(storage_->allocate(std::size_t{wanted} * sizeof(T)));
    if (count) std::memcpy(static_cast<void*>(moved), items, std::size_t{count} * sizeof(T));
    storage_->release(items, std::size_t{capacity} * sizeof(T));
    items = moved;
    capacity = wanted;
}

RegKeyIndex& RegKey::index() const
{
    if (!index_) index_ = new (storage_->allocate(sizeof(RegKeyIndex))) RegKeyIndex();
    return *index_;
}

// The index takes the subkeys made since it was last used: a load of a
// sorted export appends keys without looking them up, so it never hashes.
void RegKey::complete_subkey_index() const
{
    NameIndex& names = index().subkeys;
    if (!names.built()) {
        names.build(*storage_, subkey_count_, [&](std::size_t p) { return subkeys_[p]->name(); });
        return;
    }
    for (std::size_t p = names.size(); p < subkey_count_; ++p)
        names.insert(*storage_, static_cast<std::uint32_t>(p), name_hash(subkeys_[p]->name()));
}

std::size_t RegKey::subkey_position(std::string_view name) const
{
    if (subkey_count_ > kShortList) {
        complete_subkey_index();
        return index_->subkeys.find(name, name_hash(name), [&](std::size_t p) { return subkeys_[p]->name(); });
    }
    for (std::size_t i = 0; i < subkey_count_; ++i)
        if (subkeys_[i]->name_size_ == name.size() && equals_ignoring_case(subkeys_[i]->name(), name)) return i;
    return npos;
}

std::size_t RegKey::value_position(std::string_view name) const
{
    if (index_ && index_->values.built())
        return index_->values.find(name, name_hash(name), [&](std::size_t p) { return values_[p].name(); });
    for (std::size_t i = 0; i < value_count_; ++i)
        if (values_[i].name_size_ == name.size() && equals_ignoring_case(values_[i].name(), name)) return i;
    return npos;
}

void RegKey::sort_subkeys() const
{
    std::sort(subkeys_, subkeys_ + subkey_count_,
              [](const RegKey* a, const RegKey* b) { return compare_key_names(a->name(), b->name()) < 0; });
    if (index_) index_->subkeys.release(*storage_);  // positions changed: built again when needed
    sorted_ = true;
}

const RegKey& RegKey::subkey_at(std::size_t index) const
{
    if (index >= subkey_count_) throw std::out_of_range("no such subkey");
    if (!sorted_) sort_subkeys();
    return *subkeys_[index];
}

RegKey& RegKey::subkey_at(std::size_t index)
{
    return const_cast<RegKey&>(std::as_const(*this).subkey_at(index));
}

RegKey* RegKey::find_subkey(std::string_view n)
{
    return const_cast<RegKey*>(std::as_const(*this).find_subkey(n));
}

const RegKey* RegKey::find_subkey(std::string_view n) const
{
    const std::size_t p = subkey_position(n);
    return p == npos ? nullptr : subkeys_[p];
}

RegKey& RegKey::subkey(std::string_view n)
{
    // Exports list keys in order: a name after the last of a sorted list is
    // new without a look-up.
    const bool after_last = sorted_ && subkey_count_ && compare_key_names(subkeys_[subkey_count_ - 1]->name(), n) < 0;
    if (!after_last && subkey_count_) {
        if (const std::size_t p = subkey_position(n); p != npos) return *subkeys_[p];
        sorted_ = false;  // not found, so before the last, or the list was not in order anyway
    }
    if (subkey_count_ == subkey_capacity_) grow(subkeys_, subkey_count_, subkey_capacity_, 4);
    RegKey* const made = make(*storage_, n);
    subkeys_[subkey_count_++] = made;
    return *made;
}

bool RegKey::remove_subkey(std::string_view n)
{
    const std::size_t p = subkey_position(n);
    if (p == npos) return false;
    const std::size_t last = subkey_count_ - 1;
    RegKey* const gone = subkeys_[p];
    if (index_ && index_->subkeys.built()) {
        complete_subkey_index();
        index_->subkeys.erase(static_cast<std::uint32_t>(p), gone->name());
        if (p != last)
            index_->subkeys.renumber(static_cast<std::uint32_t>(last), static_cast<std::uint32_t>(p),
                                     subkeys_[last]->name());
    }
    if (p != last) {
        subkeys_[p] = subkeys_[last];
        sorted_ = false;
    }
    --subkey_count_;
    release(gone);
    return true;
}

const StoredValue* RegKey::find_value(std::string_view n) const
{
    const std::size_t p = value_position(n);
    return p == npos ? nullptr : &values_[p];
}

void RegKey::set_value(std::string_view n, std::uint32_t type, std::span<const std::uint8_t> data)
{
    // The short list searched here rather than through value_position: a
    // registry export sets every value of a machine through this call.
    std::size_t p = npos;
    if (index_ && index_->values.built()) {
        p = value_position(n);
    } else {
        for (std::uint32_t i = 0; i < value_count_; ++i)
            if (values_[i].name_size_ == n.size() && equals_ignoring_case(values_[i].name(), n)) {
                p = i;
                break;
            }
    }
    if (p != npos) {
        StoredValue replaced;
        replaced.assign(*storage_, values_[p].name(), type, data);
        values_[p].release(*storage_);
        values_[p] = replaced;
        return;
    }
    // Keys that have values mostly have several: room for a few at once.
    if (value_count_ == value_capacity_) grow(values_, value_count_, value_capacity_, 4);
    values_[value_count_].assign(*storage_, n, type, data);  // every field written
    ++value_count_;
    if (value_count_ > kShortList) index_last_value();
}

void RegKey::index_last_value()
{
    try {
        if (index_ && index_->values.built())
            index_->values.insert(*storage_, value_count_ - 1, name_hash(values_[value_count_ - 1].name()));
        else
            index().values.build(*storage_, value_count_, [&](std::size_t p) { return values_[p].name(); });
    } catch (...) {
        values_[--value_count_].release(*storage_);
        throw;
    }
}

void RegKey::remove_value(std::string_view n)
{
    const std::size_t p = value_position(n);
    if (p == npos) return;
    const std::size_t last = value_count_ - 1;
    if (index_ && index_->values.built()) {
        index_->values.erase(static_cast<std::uint32_t>(p), values_[p].name());
        if (p != last)
            index_->values.renumber(static_cast<std::uint32_t>(last), static_cast<std::uint32_t>(p),
                                    values_[last].name());
    }
    values_[p].release(*storage_);
    if (p != last) values_[p] = values_[last];
    --value_count_;
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
    // Bytes equal as they are are equal in upper case too: names in order
    // share long starts, skipped eight bytes at a time.
    std::size_t same = 0;
    for (std::uint64_t x, y; same + 8 <= n; same += 8) {
        std::memcpy(&x, a.data() + same, sizeof x);
        std::memcpy(&y, b.data() + same, sizeof y);
        if (x != y) break;
    }
    for (std::size_t i = same; i < n; ++i) {
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

RegistryTree::RegistryTree(RegistryTree&& other) noexcept
    : storage_(std::move(other.storage_)), hives_(std::exchange(other.hives_, {}))
{
}

RegistryTree& RegistryTree::operator=(RegistryTree&& other) noexcept
{
    if (this != &other) {
        storage_ = std::move(other.storage_);
        hives_ = std::exchange(other.hives_, {});
    }
    return *this;
}

// The keys hold nothing but storage, which goes as a whole.
RegistryTree::~RegistryTree() = default;

RegKey& RegistryTree::hive(Hive h)
{
    RegKey*& root = hives_[static_cast<std::size_t>(h)];
    if (!root) {
        if (!storage_) storage_ = std::make_unique<RegistryStorage>();
        root = RegKey::make(*storage_, {});
    }
    return *root;
}

const RegKey* RegistryTree::find_hive(Hive h) const { return hives_[static_cast<std::size_t>(h)]; }

RegKey* RegistryTree::find(const KeyName& name)
{
    RegKey* key = hives_[static_cast<std::size_t>(name.hive)];
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
    RegKey* parent = hives_[static_cast<std::size_t>(name.hive)];
    for (std::size_t i = 0; parent && i + 1 < name.parts.size(); ++i) parent = parent->find_subkey(name.parts[i]);
    if (parent) parent->remove_subkey(name.parts.back());
}

} // namespace prestova
