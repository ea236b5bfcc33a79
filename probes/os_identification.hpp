#pragma once
// Which Windows is running, as a place in a fixed table of versions.
// Versions are compared only by these places, never by names or numbers.
#include "platform/system_info.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace prestova {

enum OSofPrestovaUser : std::int32_t {
    Unknown = 0,
    Windows31 = 1,
    WindowsNT351 = 2,
    Windows95 = 3,
    Windows98 = 4,
    Windows98SE = 5,
    WindowsNT4 = 6,
    WindowsMe = 7,
    Windows2000 = 8,
    WindowsXP = 9,
    WindowsServer2003 = 10,
    WindowsVista = 11,
    WindowsServer2008 = 12,
    WindowsServer2008R2 = 13,
    Windows7 = 14,
};
constexpr std::int32_t kLastOrdinal = 14;

// Asks for the extended version record first, so servers can be told from
// workstations, and falls back to the basic record on systems that refuse it.
std::int32_t getVersion(SystemInfo& system);
// The ordinal a version record stands for.
std::int32_t ordinal_of(const OsVersionInfo& info);

// Exact, case-sensitive match of the whole name; 0 when none matches.
std::int32_t GetOSOrdinal(const std::string& name);
// The table's name, "Unknown" for 0 and anything outside 1 to 14.
std::string GetOSName(const std::int32_t& ordinal);

// The enumeration member's name ("WindowsXP") for an ordinal, or "".
std::string_view os_member_name(std::int32_t ordinal);

}  // namespace prestova
