#pragma once
// A registry held in memory. Keys keep the case they were written with and
// are found without regard to case; subkeys enumerate in the order Windows
// gives them (names compared in upper case). HKEY_CLASSES_ROOT is
// HKEY_LOCAL_MACHINE\SOFTWARE\Classes, as on Windows.
#include "platform/registry.hpp"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace prestova {

struct RegValue {
    std::string name;  // "" is the key's default value
    std::uint32_t type = reg::Sz;
    std::vector<std::uint8_t> data;
};

struct RegKey {
    std::string name;
    std::map<std::string, RegKey> subkeys;   // by upper-case name: the enumeration order
    std::map<std::string, RegValue> values;  // by upper-case name

    RegKey* find_subkey(std::string_view name);
    const RegKey* find_subkey(std::string_view name) const;
    RegKey& subkey(std::string_view name);  // found or made
    const RegValue* find_value(std::string_view name) const;
    void set_value(RegValue value);
    void remove_value(std::string_view name);
};

enum class Hive { LocalMachine, CurrentUser, Users, CurrentConfig };

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

class RegistryTree {
public:
    RegKey& hive(Hive h);
    const RegKey* find_hive(Hive h) const;  // null for a hive never made
    RegKey* find(const KeyName& name);
    RegKey& make(const KeyName& name);
    // Removes the key and everything below it; a hive itself stays.
    void remove(const KeyName& name);

private:
    std::map<Hive, RegKey> hives_;
};

} // namespace prestova
