#pragma once
// The operating-system row: the running Windows against OSMin and OSRec, by
// their places in the version table.
#include "checks/run_context.hpp"

namespace prestova {

void check_operating_system(RunContext& ctx);

}  // namespace prestova
