#include "probes/os_identification.hpp"

#include <array>
#include <optional>

namespace prestova {

namespace {

struct OsName {
    std::string_view member;
    std::string_view name;
};

constexpr std::array<OsName, 15> kNames{{
    {"Unknown", "Unknown"},
    {"Windows31", "Windows 3.1"},
    {"WindowsNT351", "Windows NT 3.51"},
    {"Windows95", "Windows 95"},
    {"Windows98", "Windows 98"},
    {"Windows98SE", "Windows 98SE"},
    {"WindowsNT4", "Windows NT 4.0"},
    {"WindowsMe", "Windows Me"},
    {"Windows2000", "Windows 2000"},
    {"WindowsXP", "Windows XP"},
    {"WindowsServer2003", "Windows Server 2003"},
    {"WindowsVista", "Windows Vista"},
    {"WindowsServer2008", "Windows Server 2008"},
    {"WindowsServer2008R2", "Windows Server 2008 R2"},
    {"Windows7", "Windows 7"},
}};

enum class Extra { None, Build2222, Server };

// First matching rule wins; an absent field matches anything.
struct VersionRule {
    std::optional<std::uint32_t> platform_id, major, minor;
    Extra extra;
    std::int32_t ordinal;
};

constexpr std::optional<std::uint32_t> any = std::nullopt;

constexpr VersionRule kRules[] = {
    {0, any, any, Extra::None, Windows31},
    {1, any, 0, Extra::None, Windows95},
    {1, any, 10, Extra::Build2222, Windows98SE},
    {1, any, 10, Extra::None, Windows98},
    {1, any, 90, Extra::None, WindowsMe},
    {1, any, any, Extra::None, Unknown},
    {2, 3, any, Extra::None, WindowsNT351},
    {2, 4, any, Extra::None, WindowsNT4},
    {2, 5, 0, Extra::None, Windows2000},
    {2, 5, 1, Extra::None, WindowsXP},
    {2, 5, 2, Extra::None, WindowsServer2003},
    {2, 5, any, Extra::None, Unknown},
    {2, 6, 0, Extra::Server, WindowsServer2008},
    {2, 6, 0, Extra::None, WindowsVista},
    {2, 6, 1, Extra::Server, WindowsServer2008R2},
    {2, 6, 1, Extra::None, Windows7},
    {2, 6, any, Extra::None, Unknown},
    {any, any, any, Extra::None, Unknown},
};

bool matches(const std::optional<std::uint32_t>& want, std::uint32_t value) { return !want || *want == value; }

bool extra_holds(Extra extra, const OsVersionInfo& info)
{
    switch (extra) {
    case Extra::None: return true;
    case Extra::Build2222: return (info.build & 0xFFFF) == 2222;
    case Extra::Server: return info.product_type == 2 || info.product_type == 3;  // domain controller, server
    }
    return false;
}

OsVersionInfo blank_record(std::uint32_t size)
{
    OsVersionInfo info;
    info.size = size;
    info.service_pack.fill(' ');
    return info;
}

}  // namespace

std::int32_t ordinal_of(const OsVersionInfo& info)
{
    for (const auto& rule : kRules)
        if (matches(rule.platform_id, info.platform_id) && matches(rule.major, info.major) &&
            matches(rule.minor, info.minor) && extra_holds(rule.extra, info))
            return rule.ordinal;
    return Unknown;
}

std::int32_t getVersion(SystemInfo& system)
{
    OsVersionInfo info = blank_record(OsVersionInfo::ExtendedSize);
    if (!system.get_version(info)) {
        // Older systems know only the basic record; it carries no product type.
        info = blank_record(OsVersionInfo::BasicSize);
        system.get_version(info);  // a failure leaves the zeroed record: platform 0
    }
    return ordinal_of(info);
}

std::int32_t GetOSOrdinal(const std::string& name)
{
    for (std::int32_t i = 1; i <= kLastOrdinal; ++i)
        if (kNames[static_cast<std::size_t>(i)].name == name) return i;
    return Unknown;
}

std::string GetOSName(const std::int32_t& ordinal)
{
    if (ordinal < 1 || ordinal > kLastOrdinal) return "Unknown";
    return std::string(kNames[static_cast<std::size_t>(ordinal)].name);
}

std::string_view os_member_name(std::int32_t ordinal)
{
    if (ordinal < 0 || ordinal > kLastOrdinal) return "";
    return kNames[static_cast<std::size_t>(ordinal)].member;
}

}  // namespace prestova
