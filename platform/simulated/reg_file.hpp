#pragma once
// Reading a registry export (.reg) as regedit writes it: "REGEDIT4" or
// "Windows Registry Editor Version 5.00", plain, UTF-8 or UTF-16 text.
#include "platform/simulated/profile_error.hpp"
#include "platform/simulated/registry_tree.hpp"

#include <string_view>

namespace prestova {

// Throws ProfileError naming file_name and the line for anything malformed.
RegistryTree parse_reg_text(std::string_view bytes, std::string_view file_name);

} // namespace prestova
