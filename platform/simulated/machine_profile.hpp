#pragma once
// A student's PC described for the simulated machine: the facts file
// (NAME.machine, INI style) and the registry export (.reg) it names.
// docs/machine-profile.md describes the format.
#include "core/locale.hpp"
#include "platform/simulated/profile_error.hpp"
#include "platform/simulated/registry_tree.hpp"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace prestova {

struct MachineProfile {
    // [windows]; the defaults are Windows XP.
    std::uint32_t platform_id = 2;
    std::uint32_t major = 5;
    std::uint32_t minor = 1;
    std::uint32_t build = 2600;
    std::string service_pack;  // at most 127 characters
    // From the keys, or else from the number in "Service Pack N[.M]".
    std::uint16_t service_pack_major = 0;
    std::uint16_t service_pack_minor = 0;
    std::optional<std::uint8_t> product_type;  // unset: the extended record says 1 (workstation)
    std::optional<bool> extended_record;       // unset: see answers_extended_record()

    // [screen]
    std::uint32_t width = 1024;
    std::uint32_t height = 768;
    std::uint32_t twips_per_pixel = 15;
    std::int32_t bits_per_pixel = 32;
    std::int32_t planes = 1;
    std::int32_t device_context = 0x1A2B;  // the control's hDC; never 0

    // [memory]; unset: the memory query fails.
    std::optional<std::uint64_t> total_physical;

    // [disk], by upper-case drive letter; a drive without free bytes fails.
    std::map<char, std::uint64_t> free_bytes;
    std::map<char, std::uint64_t> total_bytes;

    // [objects]: programmatic identifiers that can be created.
    std::vector<std::string> creatable;
    // [locale]; the defaults are English (United States).
    char decimal_separator = '.';
    char thousands_separator = ',';                    // '\0': none
    std::string currency_symbol = "$";                 // empty: none
    std::string short_date{kUnitedStatesShortDate};    // a date picture; never empty
    std::string time_format{kUnitedStatesTimeFormat};  // a time picture; never empty
    // [shell]: full paths of the programs present.
    std::vector<std::string> programs;
    // [registry]
    RegistryTree registry;
    std::vector<std::string> denied_keys;  // full key names, e.g. HKEY_LOCAL_MACHINE\SOFTWARE\Locked

    // Whether GetVersionExA accepts the 156-byte extended record: as set, or
    // by default only NT-family systems from Windows 2000 (5.0) on.
    bool answers_extended_record() const;
};

// The facts file's text; a [registry] file is read from base_dir. Throws
// ProfileError ("FILE:LINE: message") for anything it cannot take.
MachineProfile parse_machine_profile(std::string_view text, std::string_view file_name,
                                     const std::filesystem::path& base_dir);
MachineProfile load_machine_profile(const std::filesystem::path& machine_file);

}  // namespace prestova
