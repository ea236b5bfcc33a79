#pragma once
// The first lines of the software row: Acrobat Reader, Flash Player and
// RealPlayer. The resume-next rule is switched on here, inside the Acrobat
// Reader step, and stays on to the end of the run.
#include "checks/run_context.hpp"

namespace prestova {

void check_plugins(RunContext& ctx);

}  // namespace prestova
