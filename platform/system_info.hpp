#pragma once
// What the checks ask of the operating system besides the registry:
// version record, screen, device capabilities, memory status, free disk space,
// the user's number, date and time settings.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace prestova {

// The ANSI version record. size is set by the caller: 148 asks for the basic
// record, 156 for the extended one with the product type.
struct OsVersionInfo {
    static constexpr std::uint32_t BasicSize = 148;
    static constexpr std::uint32_t ExtendedSize = 156;

    std::uint32_t size = BasicSize;
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::uint32_t platform_id = 0;
    std::array<char, 128> service_pack{};
    std::uint16_t service_pack_major = 0;
    std::uint16_t service_pack_minor = 0;
    std::uint16_t suite_mask = 0;
    std::uint8_t product_type = 0;
    std::uint8_t reserved = 0;
};

struct ScreenSize {
    double width_twips = 0;
    double height_twips = 0;
    double twips_per_pixel_x = 15;
    double twips_per_pixel_y = 15;
};

// The memory status record; only the fields the checks read.
struct MemoryStatus {
    std::uint32_t length = 0;  // set to 64 by the caller
    std::uint64_t total_physical = 0;
};

struct DiskFreeSpace {
    std::uint64_t free_to_caller = 0;
    std::uint64_t total = 0;
    std::uint64_t total_free = 0;
};

namespace devcaps {
constexpr int BitsPixel = 12;
constexpr int Planes = 14;
}  // namespace devcaps

class SystemInfo {
public:
    virtual ~SystemInfo() = default;

    // GetVersionExA: fills the record according to its size; false when the
    // system refuses the request (the record is then left as it was).
    virtual bool get_version(OsVersionInfo& info) = 0;
    virtual ScreenSize screen_size() = 0;
    // The device context the control draws into.
    virtual std::int32_t control_device_context() = 0;
    // GetDeviceCaps; 0 for a handle the platform does not accept.
    virtual int device_caps(std::int32_t device_context, int index) = 0;
    // GlobalMemoryStatusEx; false when the call fails (record untouched).
    virtual bool memory_status(MemoryStatus& status) = 0;
    // GetDiskFreeSpaceExA; false when the call fails.
    virtual bool disk_free_space(std::string_view directory, DiskFreeSpace& space) = 0;
    // The user's decimal separator.
    virtual char decimal_separator() = 0;
    // The user's thousands separator, '\0' for none.
    virtual char thousands_separator() = 0;
    // The user's currency symbol, empty for none.
    virtual std::string currency_symbol() = 0;
    // The user's date and time pictures, e.g. "M/d/yyyy" and "h:mm:ss tt"
    // (core/date_text.hpp reads them).
    virtual std::string short_date_format() = 0;
    virtual std::string time_format() = 0;
};

}  // namespace prestova
