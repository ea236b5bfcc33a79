#pragma once
// `prestova snapshot [--machine FILE] [--output NAME]`: this PC (or a
// profile) written as a machine profile, NAME.machine and NAME.reg, holding
// exactly what a check run reads.
#include <iosfwd>
#include <string>
#include <vector>

namespace prestova {

// args excludes the program and command names. Throws UsageError,
// ProfileError or InputError.
int run_snapshot_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace prestova
