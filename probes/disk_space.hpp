#pragma once
// Free disk space as the control's GetDiskSpace method reports it.
#include "core/variant.hpp"
#include "platform/system_info.hpp"

#include <cstdint>
#include <string>

namespace prestova {

// Bytes free to the caller on a drive, as a double; a failed query gives 0.
Variant GetDiskSpace(SystemInfo& system, std::string& sDrive);

// An unsigned 64-bit count from its halves, each held as signed 32-bit.
double LargeToDouble(std::int32_t& low, std::int32_t& high);

}  // namespace prestova
