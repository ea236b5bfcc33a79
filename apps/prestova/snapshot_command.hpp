#pragma once
// `prestova snapshot [--machine FILE] [--output NAME]`: this PC (or a
// profile) written as a machine profile, NAME.machine and NAME.reg, holding
// exactly what a check run reads.
#include "apps/prestova/snapshot_options.hpp"

#include <iosfwd>

namespace prestova {

// Throws UsageError, ProfileError or InputError.
int run_snapshot_command(const SnapshotOptions& options, std::ostream& out, std::ostream& err);

}  // namespace prestova
