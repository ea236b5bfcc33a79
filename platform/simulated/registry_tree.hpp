#pragma once
// A registry held in memory. Keys keep the case they were written with and
// are found without regard to case; subkeys enumerate in the order Windows
// gives them (names compared in upper case). HKEY_CLASSES_ROOT is
// HKEY_LOCAL_MACHINE\SOFTWARE\Classes, as on Windows.
//
// Sized for whole-machine exports: each name is stored once, keys, lists and
// values share the tree's storage, a key's subkeys are addressed by index
// in enumeration order, a long list of subkeys or values gets a hash index,
// and nothing walks the tree recursively, so no input can deepen the stack.
#include "platform/registry.hpp"
#include "platform/simulated/registry_storage.hpp"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace prestova {

// Windows' own limits, which the .reg reader and writer hold to.
inline constexpr std::size_t kMaxKeyDepth = 512;           // key names below the hive
inline constexpr std::size_t kMaxKeyNameLength = 255;      // characters in one key name
inline constexpr std::size_t kMaxValueNameLength = 16383;  // characters in a value name

// A value as it is given to a key.
struct RegValue {
    std::string name;  // "" is the key's default value
    std::uint32_t type = reg::Sz;
    std::vector<std::uint8_t> data;
};

// A value as a key holds it: name and bytes together, inside the value when
// they are short (as numbers and flags are), else in one block of the tree's
// storage. The key that holds it owns the block.
class StoredValue {
public:
    std::string_view name() const;
    std::uint32_t type() const { return type_; }
    std::span<const std::uint8_t> data() const;

private:
    friend class RegKey;
    static constexpr std::size_t kInlineBytes = 36;  // a name and a dword or a few dozen bytes
    StoredValue() = default;
    void assign(RegistryStorage& storage, std::string_view name, std::uint32_t type,
                std::span<const std::uint8_t> data);
    void release(RegistryStorage& storage) noexcept;
    bool in_block() const { return std::size_t{name_size_} + data_size_ > kInlineBytes; }
    const std::uint8_t* bytes() const;  // the name, then the data

    std::uint32_t type_ = reg::Sz;
    std::uint32_t name_size_ = 0;
    std::uint32_t data_size_ = 0;
    std::uint8_t storage_[kInlineBytes];  // the bytes themselves, or the address of their block
};

struct RegKeyIndex;  // hash indexes of a key with many subkeys or values

// A key lives in its tree's storage, its name right behind it; keys are
// made and removed only through their parent (or the tree, for a hive).
class RegKey {
public:
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    std::string_view name() const { return {reinterpret_cast<const char*>(this + 1), name_size_}; }

    // Subkeys, addressed 0 .. subkey_count() - 1 in enumeration order. The
    // order is sorted lazily after a change, so even the const calls may
    // reorder the list: do not enumerate one tree from two threads at once.
    std::size_t subkey_count() const { return subkey_count_; }
    const RegKey& subkey_at(std::size_t index) const;
    RegKey& subkey_at(std::size_t index);
    RegKey* find_subkey(std::string_view name);
    const RegKey* find_subkey(std::string_view name) const;
    RegKey& subkey(std::string_view name);  // found or made
    // With everything below it; false when there was no such subkey.
    bool remove_subkey(std::string_view name);

    // Values in the order they were first set (a removal moves the last
    // one into its place). A pointer to a value lasts until the key's
    // values change.
    std::size_t value_count() const { return value_count_; }
    const StoredValue& value_at(std::size_t index) const { return values_[index]; }
    const StoredValue* find_value(std::string_view name) const;
    // A value set again keeps the case of its first spelling, as regedit does.
    void set_value(std::string_view name, std::uint32_t type, std::span<const std::uint8_t> data);
    void set_value(const RegValue& value) { set_value(value.name, value.type, value.data); }
    void remove_value(std::string_view name);

private:
    friend class RegistryTree;
    RegKey(RegistryStorage& storage, std::uint32_t name_size) : storage_(&storage), name_size_(name_size) {}
    ~RegKey() = default;
    static RegKey* make(RegistryStorage& storage, std::string_view name);
    // The key, its lists and values and everything below it, back to the
    // storage; iterative, however deep the keys below.
    static void release(RegKey* key) noexcept;
    void release_own_blocks() noexcept;

    std::size_t subkey_position(std::string_view name) const;  // npos when absent
    void complete_subkey_index() const;
    std::size_t value_position(std::string_view name) const;
    void sort_subkeys() const;
    RegKeyIndex& index() const;
    // Past a short list, the last value set joins the index (or one is built).
    void index_last_value();
    template <typename T>
    void grow(T*& items, std::uint32_t count, std::uint32_t& capacity, std::uint32_t at_least);

    RegistryStorage* storage_;
    RegKey** subkeys_ = nullptr;  // enumeration order once sorted_
    StoredValue* values_ = nullptr;
    mutable RegKeyIndex* index_ = nullptr;  // only for long lists
    std::uint32_t subkey_count_ = 0;
    std::uint32_t subkey_capacity_ = 0;
    std::uint32_t value_count_ = 0;
    std::uint32_t value_capacity_ = 0;
    std::uint32_t name_size_;
    mutable bool sorted_ = true;
};

enum class Hive { LocalMachine, CurrentUser, Users, CurrentConfig };

// "HKEY_LOCAL_MACHINE" and the like, by hive.
const char* hive_name(Hive hive);

// A hive's name or abbreviation, found without regard to case: the hive, and
// whether the name was HKEY_CLASSES_ROOT (HKCR), which stands for the local
// machine's SOFTWARE\Classes. nullopt for anything else.
struct HiveRoot {
    Hive hive;
    bool classes_root;
};
std::optional<HiveRoot> parse_hive_name(std::string_view root);

// A full key name ("HKEY_CLASSES_ROOT\.pdf", "HKLM\SOFTWARE") as its hive and
// the parts below it, with HKEY_CLASSES_ROOT made SOFTWARE\Classes.
struct KeyName {
    Hive hive = Hive::LocalMachine;
    std::vector<std::string> parts;
};
// nullopt for an unknown hive or an empty name.
std::optional<KeyName> parse_key_name(std::string_view full_name);
// The same key always gives the same text, whatever the case or alias used.
std::string canonical_key_text(const KeyName& name);
// Backslash-separated parts; empty parts (a trailing backslash) are dropped.
std::vector<std::string> split_key_path(std::string_view path);
std::string upper_ascii(std::string_view text);
// Names as Windows orders subkeys: compared byte by byte in upper case.
int compare_key_names(std::string_view a, std::string_view b);

// Destroying a tree gives its storage back at once: nothing walks the keys.
class RegistryTree {
public:
    RegistryTree() = default;
    RegistryTree(RegistryTree&& other) noexcept;
    RegistryTree& operator=(RegistryTree&& other) noexcept;
    ~RegistryTree();

    RegKey& hive(Hive h);                   // made when missing
    const RegKey* find_hive(Hive h) const;  // null for a hive never made
    RegKey* find(const KeyName& name);      // never makes anything
    const RegKey* find(const KeyName& name) const;
    RegKey& make(const KeyName& name);
    // Removes the key and everything below it; a hive itself stays.
    void remove(const KeyName& name);
    // Bytes the tree holds from the heap.
    std::size_t bytes_held() const { return storage_ ? storage_->bytes_held() : 0; }

private:
    std::unique_ptr<RegistryStorage> storage_;  // made with the first hive
    std::array<RegKey*, 4> hives_{};
};

} // namespace prestova
