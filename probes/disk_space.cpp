#include "probes/disk_space.hpp"

namespace prestova {

namespace {
constexpr double kTwoTo32 = 4294967296.0;
}

double LargeToDouble(std::int32_t& low, std::int32_t& high)
{
    double l = low;
    if (l < 0) l += kTwoTo32;
    double h = high;
    if (h < 0) h += kTwoTo32;
    return h * kTwoTo32 + l;
}

Variant GetDiskSpace(SystemInfo& system, std::string& sDrive)
{
    DiskFreeSpace space{};
    system.disk_free_space(sDrive, space);  // a failure leaves the zeroes
    std::int32_t low = static_cast<std::int32_t>(static_cast<std::uint32_t>(space.free_to_caller));
    std::int32_t high = static_cast<std::int32_t>(static_cast<std::uint32_t>(space.free_to_caller >> 32));
    return Variant::real(LargeToDouble(low, high));
}

}  // namespace prestova
