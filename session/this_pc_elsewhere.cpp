// Away from Windows there is no "this PC" to check: only profiles.
#include "session/usage_error.hpp"
#include "session/machine.hpp"

namespace prestova {

bool this_pc_supported() { return false; }

std::unique_ptr<Machine> open_this_pc()
{
    throw UsageError("only prestova.exe on Windows checks this PC; name a machine profile with --machine FILE");
}

}  // namespace prestova
