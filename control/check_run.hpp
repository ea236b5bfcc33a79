#pragma once
// The check run: colours the panel, writes the operating-system requirement
// captions, then runs the sections in their fixed order.
#include "control/run_context.hpp"

#include <span>
#include <string_view>

namespace prestova {

struct RunSection {
    std::string_view name;
    void (*run)(RunContext&);  // null: not part of this build yet, its row keeps its design state
};

std::span<const RunSection> run_sections();

RunReport run_checks(Prestova& control);

} // namespace prestova
