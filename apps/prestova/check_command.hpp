#pragma once
// `prestova check`: one control on a machine profile or this PC, its properties from
// a page, N check runs, the panel shown in the chosen format.
#include "apps/prestova/check_options.hpp"

#include <iosfwd>

namespace prestova {

int run_check_command(const CheckOptions& options, std::ostream& out, std::ostream& err);

}  // namespace prestova
