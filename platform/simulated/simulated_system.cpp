#include "platform/simulated/simulated_system.hpp"

#include "core/ascii_case.hpp"

#include <algorithm>
#include <cstring>

namespace prestova {

bool SimulatedSystem::get_version(OsVersionInfo& info)
{
    ++version_calls_[info.size];
    const bool extended = info.size == OsVersionInfo::ExtendedSize;
    if (info.size != OsVersionInfo::BasicSize && !extended) return false;  // ERROR_INVALID_PARAMETER
    if (extended && !profile_->answers_extended_record()) return false;    // older systems know only the basic record
    info.major = profile_->major;
    info.minor = profile_->minor;
    info.build = profile_->build;
    info.platform_id = profile_->platform_id;
    info.service_pack.fill('\0');
    std::memcpy(info.service_pack.data(), profile_->service_pack.data(),
                std::min(info.service_pack.size() - 1, profile_->service_pack.size()));
    if (extended) {
        info.service_pack_major = profile_->service_pack_major;
        info.service_pack_minor = profile_->service_pack_minor;
        info.suite_mask = 0;
        info.product_type = profile_->product_type.value_or(1);
        info.reserved = 0;
    }
    return true;
}

int SimulatedSystem::version_calls(std::uint32_t record_size) const
{
    const auto it = version_calls_.find(record_size);
    return it == version_calls_.end() ? 0 : it->second;
}

ScreenSize SimulatedSystem::screen_size()
{
    ScreenSize s;
    s.twips_per_pixel_x = s.twips_per_pixel_y = profile_->twips_per_pixel;
    s.width_twips = static_cast<double>(profile_->width) * profile_->twips_per_pixel;
    s.height_twips = static_cast<double>(profile_->height) * profile_->twips_per_pixel;
    return s;
}

int SimulatedSystem::device_caps(std::int32_t device_context, int index)
{
    if (device_context != profile_->device_context) return 0;
    if (index == devcaps::BitsPixel) return profile_->bits_per_pixel;
    if (index == devcaps::Planes) return profile_->planes;
    return 0;
}

bool SimulatedSystem::memory_status(MemoryStatus& status)
{
    if (status.length != 64 || !profile_->total_physical) return false;
    status.total_physical = *profile_->total_physical;
    return true;
}

bool SimulatedSystem::disk_free_space(std::string_view directory, DiskFreeSpace& space)
{
    // "C:", "c:", "C:\" and "C:\any\folder" all name drive C.
    if (directory.size() < 2 || directory[1] != ':' || (directory.size() > 2 && directory[2] != '\\')) return false;
    const char letter = to_upper_ascii(directory[0]);
    const auto free = profile_->free_bytes.find(letter);
    if (free == profile_->free_bytes.end()) return false;
    const auto total = profile_->total_bytes.find(letter);
    space.free_to_caller = free->second;
    space.total_free = free->second;
    space.total = total == profile_->total_bytes.end() ? free->second : total->second;
    return true;
}

}  // namespace prestova
