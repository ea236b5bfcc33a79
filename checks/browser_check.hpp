#pragma once
// The browser row: the browsers the registry shows, then Internet Explorer's
// version against IEVersion and whether it is the default browser.
#include "checks/run_context.hpp"

namespace prestova {

void check_browsers(RunContext& ctx);

}  // namespace prestova
