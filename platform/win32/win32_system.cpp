#include "platform/win32/win32_platform.hpp"

#include "core/locale.hpp"

#include <windows.h>

#include <cstring>
#include <string>

namespace prestova {

bool Win32System::get_version(OsVersionInfo& info)
{
    OSVERSIONINFOEXA record{};
    record.dwOSVersionInfoSize = info.size;
    std::memcpy(record.szCSDVersion, info.service_pack.data(), sizeof record.szCSDVersion);
    if (info.size != OsVersionInfo::BasicSize && info.size != OsVersionInfo::ExtendedSize) return false;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&record))) return false;
#pragma GCC diagnostic pop
    info.major = record.dwMajorVersion;
    info.minor = record.dwMinorVersion;
    info.build = record.dwBuildNumber;
    info.platform_id = record.dwPlatformId;
    std::memcpy(info.service_pack.data(), record.szCSDVersion, sizeof record.szCSDVersion);
    if (info.size == OsVersionInfo::ExtendedSize) {
        info.service_pack_major = record.wServicePackMajor;
        info.service_pack_minor = record.wServicePackMinor;
        info.suite_mask = record.wSuiteMask;
        info.product_type = record.wProductType;
        info.reserved = record.wReserved;
    }
    return true;
}

ScreenSize Win32System::screen_size()
{
    // The host runtime's screen object: the primary screen in twips.
    HDC screen = GetDC(nullptr);
    const int dpi_x = GetDeviceCaps(screen, LOGPIXELSX);
    const int dpi_y = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ScreenSize s;
    s.twips_per_pixel_x = dpi_x > 0 ? 1440.0 / dpi_x : 15;
    s.twips_per_pixel_y = dpi_y > 0 ? 1440.0 / dpi_y : 15;
    s.width_twips = GetSystemMetrics(SM_CXSCREEN) * s.twips_per_pixel_x;
    s.height_twips = GetSystemMetrics(SM_CYSCREEN) * s.twips_per_pixel_y;
    return s;
}

Win32System::~Win32System()
{
    if (device_context_) ReleaseDC(static_cast<HWND>(window_), static_cast<HDC>(device_context_));
}

std::int32_t Win32System::control_device_context()
{
    // Handles are 32-bit values on every Windows, so they travel as Long.
    if (!device_context_) device_context_ = GetDC(static_cast<HWND>(window_));
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(device_context_));
}

int Win32System::device_caps(std::int32_t device_context, int index)
{
    return GetDeviceCaps(reinterpret_cast<HDC>(static_cast<std::intptr_t>(device_context)), index);
}

bool Win32System::memory_status(MemoryStatus& status)
{
    MEMORYSTATUSEX record{};
    record.dwLength = status.length;
    if (!GlobalMemoryStatusEx(&record)) return false;
    status.total_physical = record.ullTotalPhys;
    return true;
}

bool Win32System::disk_free_space(std::string_view directory, DiskFreeSpace& space)
{
    ULARGE_INTEGER caller{}, total{}, free{};
    const std::string dir(directory);
    if (!GetDiskFreeSpaceExA(dir.c_str(), &caller, &total, &free)) return false;
    space.free_to_caller = caller.QuadPart;
    space.total = total.QuadPart;
    space.total_free = free.QuadPart;
    return true;
}

char Win32System::decimal_separator()
{
    char buf[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, sizeof buf) > 0 && buf[0]) return buf[0];
    return '.';
}

// Only the first character groups, as the host reads it; a user may have
// cleared the setting, which leaves no separator. When the call fails the
// separators are those of English (United States), like the decimal one.
char Win32System::thousands_separator()
{
    char buf[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, buf, sizeof buf) > 0) return buf[0];
    return ',';
}

std::string Win32System::currency_symbol()
{
    char buf[16] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SCURRENCY, buf, sizeof buf) > 0) return buf;
    return "$";
}

namespace {

// A picture of the user's; English (United States) when the call fails or
// answers an empty one, which would show no date or time at all.
std::string picture(LCTYPE which, std::string_view fallback)
{
    char buf[80] = {};  // the longest picture the settings take, and its end
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, which, buf, sizeof buf) > 0 && buf[0]) return buf;
    return std::string(fallback);
}

}  // namespace

std::string Win32System::short_date_format() { return picture(LOCALE_SSHORTDATE, kUnitedStatesShortDate); }

std::string Win32System::time_format() { return picture(LOCALE_STIMEFORMAT, kUnitedStatesTimeFormat); }

}  // namespace prestova
