#pragma once
// A registry held in memory. Keys keep the case they were written with and
// are found without regard to case; subkeys enumerate in the order Windows
// gives them (names compared in upper case). HKEY_CLASSES_ROOT is
// HKEY_LOCAL_MACHINE\SOFTWARE\Classes, as on Windows.
//
// Nothing walks the tree recursively, so no tree deepens the stack however
// deep its keys go.
#include "platform/registry.hpp"

#include <array>
#include <cstdint>
#include <memory>
#include <memory_resource>
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

// A value as a key holds it: its name and bytes, one after the other in the
// tree's memory.
class StoredValue {
public:
    std::string_view name() const { return {bytes_, name_size_}; }
    std::uint32_t type() const { return type_; }
    std::span<const std::uint8_t> data() const
    {
        return {reinterpret_cast<const std::uint8_t*>(bytes_) + name_size_, data_size_};
    }

private:
    friend class RegKey;
    StoredValue(std::string_view name, std::uint32_t type, std::span<const std::uint8_t> data,
                std::pmr::memory_resource* memory);

    const char* bytes_;
    std::uint32_t name_size_;
    std::uint32_t data_size_;
    std::uint32_t type_;
};

// A key lives in its tree's memory; keys are made and removed only through
// their parent (or the tree, for a hive).
class RegKey {
public:
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    std::string_view name() const { return name_; }

    // Subkeys, addressed 0 .. subkey_count() - 1 in enumeration order. The
    // list by index is made at the first call after a change, so even the
    // const calls change the key: do not enumerate one tree from two threads
    // at once.
    std::size_t subkey_count() const;
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
    const StoredValue& value_at(std::size_t index) const { return values_.at(index); }
    const StoredValue* find_value(std::string_view name) const;
    // A value set again keeps the case of its first spelling, as regedit does.
    void set_value(std::string_view name, std::uint32_t type, std::span<const std::uint8_t> data);
    void set_value(const RegValue& value) { set_value(value.name, value.type, value.data); }
    void remove_value(std::string_view name);

private:
    friend class RegistryTree;
    struct Subkeys;     // made with the first subkey: most keys have none
    struct ValueIndex;  // made once a key has many values
    RegKey(std::string_view name, std::pmr::memory_resource* memory);
    static RegKey* make(std::string_view name, std::pmr::memory_resource* memory);
    std::size_t value_position(std::string_view name) const;  // value_count() when absent

    std::string_view name_;  // in the tree's memory
    Subkeys* subkeys_ = nullptr;
    std::pmr::vector<StoredValue> values_;
    ValueIndex* value_index_ = nullptr;
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
// the parts below it (empty parts dropped), with HKEY_CLASSES_ROOT made
// SOFTWARE\Classes.
struct KeyName {
    Hive hive = Hive::LocalMachine;
    std::vector<std::string> parts;
};
// nullopt for an unknown hive or an empty name.
std::optional<KeyName> parse_key_name(std::string_view full_name);
// Names as Windows orders subkeys: compared byte by byte in upper case.
int compare_key_names(std::string_view a, std::string_view b);

// Keys, their lists and values live in the tree's own memory, taken a block
// at a time, and go with the tree all at once: nothing is destroyed key by
// key. What a removed key or a replaced value held comes back only then, so
// a tree is for reading a machine's registry once, not for changing it
// without end; what a .reg file makes it hold is bounded by the file.
class RegistryTree {
public:
    RegistryTree() = default;
    RegistryTree(RegistryTree&& other) noexcept;
    RegistryTree& operator=(RegistryTree&& other) noexcept;

    RegKey& hive(Hive h);                   // made when missing
    const RegKey* find_hive(Hive h) const;  // null for a hive never made
    RegKey* find(const KeyName& name);      // never makes anything
    const RegKey* find(const KeyName& name) const;
    RegKey& make(const KeyName& name);
    // Removes the key and everything below it; a hive itself stays.
    void remove(const KeyName& name);

private:
    std::unique_ptr<std::pmr::monotonic_buffer_resource> memory_;  // made with the first hive
    std::array<RegKey*, 4> hives_{};
};

}  // namespace prestova
