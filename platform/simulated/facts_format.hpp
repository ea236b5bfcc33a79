#pragma once
// The facts file's keys in one table, in the order they are written: the
// reader (machine_profile.cpp) takes each key as its row says, the writer
// (facts_writer.cpp) writes it and refuses what would not read back, and
// docs/machine-profile.md lists the same keys (a test holds it to this table).
#include "platform/simulated/machine_profile.hpp"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace prestova {

enum class FactKind {
    Number,           // a whole number from min to max, decimal or hexadecimal after 0x
    YesNo,            // yes/no, true/false, 1/0
    RecordText,       // the version record's text, at most max_length characters; Windows
                      // pads it (98 SE's " A "), so blanks around it are dropped, not refused
    Text,             // any text a value line keeps whole, empty too
    Picture,          // a date or time picture: a text, never empty
    Character,        // exactly one character
    CharacterOrNone,  // one character, or none ('\0') as an empty value
    List,             // comma-separated items
    DeniedKeys,       // a list of registry key names, each in the registry file
    DriveBytes,       // one key per drive: LETTER stands for its letter, c_free
    RegistryFile,     // the .reg file beside the facts; the registry read from it is the member
};

enum class Written {
    Always,
    WhenSet,     // left out while unset or empty, which reading leaves it
    Hex,         // 0x and upper-case hexadecimal: how a handle is shown
    AsAnswered,  // as the system answers, so a default that hangs on other keys stays put
};

template <typename T>
using ProfileMember = T MachineProfile::*;

using NumberMember =
    std::variant<ProfileMember<std::uint32_t>, ProfileMember<std::int32_t>, ProfileMember<std::uint16_t>,
                 ProfileMember<std::optional<std::uint8_t>>, ProfileMember<std::optional<std::uint64_t>>>;
using FactMember = std::variant<std::monostate, NumberMember, ProfileMember<std::optional<bool>>,
                                ProfileMember<std::string>, ProfileMember<char>,
                                ProfileMember<std::vector<std::string>>, ProfileMember<std::map<char, std::uint64_t>>>;

struct FactKey {
    std::string_view section;
    std::string_view name;  // lower case, as the reader compares it
    FactMember member;
    FactKind kind;
    std::uint64_t min = 0, max = 0;  // Number, DriveBytes
    std::size_t max_length = 0;      // RecordText
    Written written = Written::Always;
    std::string_view refused_as = {};  // what the writer calls it when it cannot hold the value
};

// Every key of the facts file, section by section.
std::span<const FactKey> facts_keys();

// The member a key of a kind other than Number is read into.
template <typename T>
T& member_of(MachineProfile& p, const FactKey& key)
{
    return p.*std::get<ProfileMember<T>>(key.member);
}
template <typename T>
const T& member_of(const MachineProfile& p, const FactKey& key)
{
    return p.*std::get<ProfileMember<T>>(key.member);
}

// A Number key's member: set (a value in the key's range fits its type), and
// as written, none while an optional member is unset.
void set_number(MachineProfile& p, const FactKey& key, std::uint64_t value);
std::optional<std::string> number_text(const MachineProfile& p, const FactKey& key);

}  // namespace prestova
