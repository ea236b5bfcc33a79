#pragma once
// The disk row: free space on drive C: against DiskSpaceMin and DiskSpaceRec.
#include "control/run_context.hpp"

#include <string>

namespace prestova {

void check_disk(RunContext& ctx);

// Bytes free to the caller on a drive, as a double; a failed query gives 0.
Variant GetDiskSpace(SystemInfo& system, std::string& sDrive);

// An unsigned 64-bit count from its halves, each held as signed 32-bit.
double LargeToDouble(std::int32_t& low, std::int32_t& high);

} // namespace prestova
