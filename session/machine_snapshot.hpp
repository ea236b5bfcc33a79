#pragma once
// A machine written down as a machine profile: one check run on it through
// recorders, which keep every registry key and value, every system answer,
// every object tried and every program a link click asked for. The profile
// then answers every probe of the check run as the machine did.
#include "session/machine.hpp"
#include "platform/simulated/machine_profile.hpp"

namespace prestova {

// Runs a freshly initialised control (which asks for no Internet Explorer
// version, so the row goes on to the default-browser test) and clicks a
// download link on the machine's dry-run shell: nothing is started.
MachineProfile take_snapshot(Machine& machine);

}  // namespace prestova
