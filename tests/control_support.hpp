#pragma once
// A control on one of the case machines (tests/cases/machines) loaded from a
// case page (tests/cases/pages), for what the command line cannot show.
#include "control/panel_state.hpp"
#include "control/prestova.hpp"
#include "core/file_text.hpp"
#include "platform/memory_property_bag.hpp"
#include "platform/simulated/machine_profile.hpp"
#include "platform/simulated/reg_file.hpp"
#include "platform/simulated/simulated_machine.hpp"
#include "session/page_params.hpp"

#include <string>
#include <utility>
#include <vector>

namespace prestova::testing {

inline const std::string kCaseFiles = std::string(PRESTOVA_SOURCE_DIR) + "/tests/cases/";

// NAME.machine with the NAME.reg beside it.
inline MachineProfile case_machine(const std::string& name)
{
    MachineProfile profile = load_machine_profile(kCaseFiles + "machines/" + name + ".machine");
    profile.registry = *read_reg_file(kCaseFiles + "machines/" + name + ".reg", name + ".reg");
    return profile;
}

// A bag with the params of pages/NAME.html, then these over them.
inline MemoryPropertyBag case_page(const std::string& name,
                                   const std::vector<std::pair<std::string, std::string>>& more)
{
    MemoryPropertyBag bag;
    const std::string page = read_file_text(kCaseFiles + "pages/" + name + ".html").value();
    for (const auto& [k, v] : read_page_params(page, name)) bag.set(k, Variant(v));
    for (const auto& [k, v] : more) bag.set(k, Variant(v));
    return bag;
}

struct TestControl {
    explicit TestControl(MachineProfile profile) : machine(std::move(profile)), control(machine.platform(), panel) {}

    SimulatedMachine machine;
    PanelState panel;
    Prestova control;
};

}  // namespace prestova::testing
