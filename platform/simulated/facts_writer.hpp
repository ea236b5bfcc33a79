#pragma once
// Writing a machine profile's facts as a NAME.machine file that
// machine_profile.hpp reads back to the same facts.
#include "platform/simulated/machine_profile.hpp"

#include <string>
#include <string_view>

namespace prestova {

// UTF-8 text; reg_file is written as [registry] file (omitted when empty).
// The registry itself is not written here: see reg_writer.hpp. Texts that
// the format cannot carry are a limit of the format: a list item holding a
// comma, or a text with " ;" or " #" (the start of a comment).
std::string write_machine_facts(const MachineProfile& profile, std::string_view reg_file,
                                std::string_view heading = {});

} // namespace prestova
