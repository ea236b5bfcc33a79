#include "platform/simulated/simulated_shell.hpp"

#include "core/ascii_case.hpp"

#include <algorithm>

namespace prestova {

std::intptr_t SimulatedShell::execute(std::string_view file, std::string_view parameters, int show_command)
{
    const bool present = std::any_of(profile_->programs.begin(), profile_->programs.end(),
                                     [&](const std::string& p) { return equals_ignoring_case(p, file); });
    const std::intptr_t result = present ? kStarted : kFileNotFound;
    launches_.push_back({std::string(file), std::string(parameters), show_command, result});
    return result;
}

}  // namespace prestova
