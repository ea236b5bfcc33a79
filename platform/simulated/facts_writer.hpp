#pragma once
// Writing a machine profile's facts as a NAME.machine file that
// machine_profile.hpp reads back to the same facts.
#include "platform/simulated/machine_profile.hpp"

#include <string>
#include <string_view>

namespace prestova {

// UTF-8 text; reg_file is written as [registry] file (omitted when empty).
// The registry itself is not written here: see reg_writer.hpp. A list item
// starting with ';' or '#' follows its comma without a blank. Texts the
// format cannot carry throw ProfileError before anything is written: a line
// break, a ';' or '#' after a blank (a comment), a list item that is empty,
// holds a comma or has blanks around it, a blank decimal separator, a denied
// key missing from the registry when reg_file is named. Blanks
// around the service-pack text are trimmed.
std::string write_machine_facts(const MachineProfile& profile, std::string_view reg_file,
                                std::string_view heading = {});

}  // namespace prestova
