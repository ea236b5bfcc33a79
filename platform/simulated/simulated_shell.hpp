#pragma once
// The shell's execute call on a simulated machine: every launch is recorded,
// and only programs the machine has can start.
#include "platform/shell.hpp"
#include "platform/simulated/machine_profile.hpp"

#include <string>
#include <vector>

namespace prestova {

struct ShellLaunch {
    std::string file;
    std::string parameters;
    int show_command = 0;
    std::intptr_t result = 0;
};

class SimulatedShell final : public Shell {
public:
    static constexpr std::intptr_t kStarted = 42;      // any value above 32 means started
    static constexpr std::intptr_t kFileNotFound = 2;  // ERROR_FILE_NOT_FOUND

    explicit SimulatedShell(const MachineProfile& profile) : profile_(&profile) {}
    std::intptr_t execute(std::string_view file, std::string_view parameters, int show_command) override;
    const std::vector<ShellLaunch>& launches() const { return launches_; }

private:
    const MachineProfile* profile_;
    std::vector<ShellLaunch> launches_;
};

}  // namespace prestova
