#pragma once
// One control brought up on a simulated machine the way a page brings it
// up: loaded from the page's params (or initialised fresh), ready to show.
#include "apps/prestova/page_params.hpp"
#include "control/panel_state.hpp"
#include "control/prestova.hpp"
#include "platform/memory_property_bag.hpp"
#include "platform/simulated/simulated_machine.hpp"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace prestova {

struct ControlSession {
    explicit ControlSession(MachineProfile profile, std::string machine_name);

    SimulatedMachine machine;
    PanelState panel;
    Prestova control;
    std::string machine_name;

    // Loads the machine profile and the page; with init the control starts
    // fresh and the page's values are written as a script would write them.
    // Throws ProfileError, InputError or UsageError.
    static std::unique_ptr<ControlSession> open(const std::string& machine_file,
                                                const std::optional<std::string>& page_file,
                                                const std::vector<std::pair<std::string, std::string>>& params,
                                                bool init);
};

std::string read_file(const std::string& path);

} // namespace prestova
