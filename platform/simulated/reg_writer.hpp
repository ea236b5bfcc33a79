#pragma once
// Writing a registry held in memory as a "REGEDIT4" export, the form
// reg_file.hpp reads back and regedit imports.
#include "platform/simulated/registry_tree.hpp"

#include <string>

namespace prestova {

// Plain text in the code page, CR LF line ends. Every key that holds values
// or has no subkeys gets its own [KEY] line (its parents follow from it);
// HKEY_LOCAL_MACHINE\SOFTWARE\Classes is written as HKEY_CLASSES_ROOT. Text
// that a quoted line cannot carry exactly (no terminating NUL, embedded
// NULs, control characters) is written as hex(1).
std::string write_reg_text(const RegistryTree& tree);

} // namespace prestova
