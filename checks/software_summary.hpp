#pragma once
// The rest of the software row: the zip application, the Java Runtime
// Environment, and the row's verdict from the software-missing flag.
#include "checks/run_context.hpp"

namespace prestova {

void check_software_summary(RunContext& ctx);

}  // namespace prestova
