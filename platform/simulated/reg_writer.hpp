#pragma once
// Writing a registry held in memory as a "REGEDIT4" export, the form
// reg_file.hpp reads back and regedit imports.
#include "platform/simulated/profile_error.hpp"
#include "platform/simulated/registry_tree.hpp"

#include <string>

namespace prestova {

// Plain text in the code page, CR LF line ends. Every key that holds values
// or has no subkeys gets its own [KEY] line (its parents follow from it), a
// hive too; HKEY_LOCAL_MACHINE\SOFTWARE\Classes is written as
// HKEY_CLASSES_ROOT (when spelt so: other spellings keep their own). Text
// that a quoted line cannot carry exactly (no terminating NUL, embedded
// NULs, control characters) is written as hex(1).
//
// What reg_file.hpp would refuse is refused here, before anything is
// written, with a ProfileError naming the key: a name with a NUL or a line
// break (regedit's format has no way to write one), an empty key name or one
// holding a backslash, and names or depths beyond Windows' limits.
std::string write_reg_text(const RegistryTree& tree);

}  // namespace prestova
