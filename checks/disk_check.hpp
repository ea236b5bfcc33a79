#pragma once
// The disk row: free space on drive C: against DiskSpaceMin and DiskSpaceRec.
#include "checks/run_context.hpp"

namespace prestova {

void check_disk(RunContext& ctx);

}  // namespace prestova
