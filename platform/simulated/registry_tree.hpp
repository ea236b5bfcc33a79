#pragma once
// A registry held in memory. Keys keep the case they were written with and
// are found without regard to case; subkeys enumerate in the order Windows
// gives them (names compared in upper case). HKEY_CLASSES_ROOT is
// HKEY_LOCAL_MACHINE\SOFTWARE\Classes, as on Windows.
//
// Sized for whole-machine exports: each name is stored once, a key's subkeys
// are addressed by index in enumeration order, a long list of subkeys or
// values gets a hash index, and nothing walks the tree recursively (its
// destruction included), so no input can deepen the stack.
#include "platform/registry.hpp"

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
// they are short (as numbers and flags are), else in one block of their own.
class StoredValue {
public:
    StoredValue(std::string_view name, std::uint32_t type, std::span<const std::uint8_t> data);
    ~StoredValue();
    StoredValue(StoredValue&& other) noexcept;
    StoredValue& operator=(StoredValue&& other) noexcept;
    StoredValue(const StoredValue&) = delete;
    StoredValue& operator=(const StoredValue&) = delete;

    std::string_view name() const;
    std::uint32_t type() const { return type_; }
    std::span<const std::uint8_t> data() const;

private:
    static constexpr std::size_t kInlineBytes = 36;  // a name and a dword or a few dozen bytes
    bool in_block() const { return std::size_t{name_size_} + data_size_ > kInlineBytes; }
    const std::uint8_t* bytes() const;  // the name, then the data
    void release();

    std::uint32_t type_;
    std::uint32_t name_size_;
    std::uint32_t data_size_;
    std::uint8_t storage_[kInlineBytes];  // the bytes themselves, or the address of their block
};

struct RegKeyIndex;  // hash indexes of a key with many subkeys or values

class RegKey {
public:
    explicit RegKey(std::string name = {});
    ~RegKey();  // iterative, however deep the keys below
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    const std::string& name() const { return name_; }

    // Subkeys, addressed 0 .. subkey_count() - 1 in enumeration order. The
    // order is sorted lazily after a change, so even the const calls may
    // reorder the list: do not enumerate one tree from two threads at once.
    std::size_t subkey_count() const { return subkeys_.size(); }
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
    std::size_t value_count() const { return values_.size(); }
    const StoredValue& value_at(std::size_t index) const { return values_[index]; }
    const StoredValue* find_value(std::string_view name) const;
    // A value set again keeps the case of its first spelling, as regedit does.
    void set_value(std::string_view name, std::uint32_t type, std::span<const std::uint8_t> data);
    void set_value(const RegValue& value) { set_value(value.name, value.type, value.data); }
    void remove_value(std::string_view name);

private:
    std::size_t subkey_position(std::string_view name) const;  // npos when absent
    std::size_t value_position(std::string_view name) const;
    void sort_subkeys() const;
    RegKeyIndex& index() const;

    std::string name_;
    mutable std::vector<std::unique_ptr<RegKey>> subkeys_;  // enumeration order once sorted_
    std::vector<StoredValue> values_;
    mutable std::unique_ptr<RegKeyIndex> index_;  // only for long lists
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

class RegistryTree {
public:
    RegistryTree() = default;
    RegistryTree(RegistryTree&&) noexcept = default;
    RegistryTree& operator=(RegistryTree&&) noexcept = default;

    RegKey& hive(Hive h);                   // made when missing
    const RegKey* find_hive(Hive h) const;  // null for a hive never made
    RegKey* find(const KeyName& name);      // never makes anything
    const RegKey* find(const KeyName& name) const;
    RegKey& make(const KeyName& name);
    // Removes the key and everything below it; a hive itself stays.
    void remove(const KeyName& name);

private:
    std::array<std::unique_ptr<RegKey>, 4> hives_;
};

} // namespace prestova
