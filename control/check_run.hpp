#pragma once
// The check run: colours the panel, writes the operating-system requirement
// captions, then runs the sections in their fixed order.
#include "checks/run_context.hpp"
#include "checks/run_report.hpp"

#include <span>
#include <string_view>

namespace prestova {

struct RunSection {
    std::string_view name;
    void (*run)(RunContext&);
};

std::span<const RunSection> run_sections();

RunReport run_checks(RunSubject& control);

}  // namespace prestova
