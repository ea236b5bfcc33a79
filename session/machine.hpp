#pragma once
// The student machine a command runs on: a machine profile, or on Windows
// this PC itself. Both offer every platform service the control uses.
#include "platform/platform.hpp"

#include <memory>
#include <string>

namespace prestova {

class Machine {
public:
    virtual ~Machine() = default;

    // The services the control runs on; the shell really starts programs
    // (on a profile: as far as the profile says).
    virtual Platform platform() = 0;
    // A shell that starts nothing and only answers whether it could start
    // the program: what a snapshot clicks its links on.
    virtual Shell& dry_run_shell() = 0;
    // Shown with the panel, and the default name of a snapshot.
    virtual std::string name() const = 0;
};

// A machine profile (NAME.machine). Throws ProfileError.
std::unique_ptr<Machine> open_profile_machine(const std::string& machine_file);

// This PC, through the real system calls; only where this_pc_supported().
// Throws UsageError elsewhere.
std::unique_ptr<Machine> open_this_pc();
bool this_pc_supported();

// The profile named, or this PC for an empty name.
std::unique_ptr<Machine> open_machine(const std::string& machine_file);

}  // namespace prestova
