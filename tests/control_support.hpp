#pragma once
// A control on a simulated machine described inline, for tests.
#include "control/panel_state.hpp"
#include "control/prestova.hpp"
#include "platform/memory_property_bag.hpp"
#include "platform/simulated/machine_profile.hpp"
#include "platform/simulated/reg_file.hpp"
#include "platform/simulated/simulated_machine.hpp"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace prestova::testing {

using Params = std::vector<std::pair<std::string, std::string>>;

// A Windows XP machine with the given memory; other facts ordinary.
inline std::string xp_machine_text(std::uint64_t total_physical = 536870912)
{
    return "[windows]\nplatform_id = 2\nmajor = 5\nminor = 1\nbuild = 2600\nservice_pack = Service Pack 2\n"
           "[screen]\nwidth = 1024\nheight = 768\nbits_per_pixel = 32\n"
           "[memory]\ntotal_physical = " +
           std::to_string(total_physical) + "\n[disk]\nc_free = 40000000000\n";
}

inline MachineProfile machine_profile(std::string_view machine_text, std::string_view reg_text = {})
{
    MachineProfile profile = parse_machine_profile(machine_text, "test.machine", ".");
    if (!reg_text.empty()) profile.registry = parse_reg_text(reg_text, "test.reg");
    return profile;
}

struct TestControl {
    explicit TestControl(MachineProfile profile) : machine(std::move(profile)), control(machine.platform(), panel) {}
    explicit TestControl(std::string_view machine_text, std::string_view reg_text = {})
        : TestControl(machine_profile(machine_text, reg_text))
    {}

    // Loads the control from a bag holding exactly these params.
    void load(const Params& params)
    {
        MemoryPropertyBag bag;
        for (const auto& [k, v] : params) bag.set(k, Variant(v));
        control.read_properties(bag);
    }

    const std::string& caption(ControlId id) const { return panel.state(id).caption; }
    bool visible(ControlId id) const { return panel.state(id).visible; }
    std::int32_t background(ControlId id) const { return panel.state(id).background; }

    SimulatedMachine machine;
    PanelState panel;
    Prestova control;
};

}  // namespace prestova::testing

namespace prestova::testing {

// A page that sets every threshold the hardware rows need, so no row stops
// the run for want of a number.
// The display settings alone: the bag's defaults for them are empty texts,
// which the display row cannot compare.
inline Params display_page()
{
    return {{"ScreenMinWid", "800"}, {"ScreenMinHgt", "600"},    {"ScreenRecWid", "1024"},
            {"ScreenRecHgt", "768"}, {"MinColorDepth", "65536"}, {"RecColorDepth", "16777216"}};
}

inline Params full_page()
{
    Params p = display_page();
    p.insert(p.end(), {{"CPUMin", "500"},
                       {"CPURec", "1000"},
                       {"MemoryMin", "128"},
                       {"MemoryRec", "256"},
                       {"DiskSpaceMin", "500"},
                       {"DiskSpaceRec", "2048"}});
    return p;
}

inline Params with(Params params, const Params& overrides)
{
    for (const auto& [k, v] : overrides) {
        bool replaced = false;
        for (auto& [pk, pv] : params)
            if (pk == k) pv = v, replaced = true;
        if (!replaced) params.emplace_back(k, v);
    }
    return params;
}

// A machine described by its main facts.
struct MachineFacts {
    std::string windows = "platform_id = 2\nmajor = 5\nminor = 1\nbuild = 2600\n";
    int width = 1024, height = 768, bits_per_pixel = 32, planes = 1, twips_per_pixel = 15;
    std::uint64_t memory = 536870912;
    std::optional<std::uint64_t> c_free = 40000000000ull;
    std::optional<std::uint32_t> megahertz = 1600;
    std::string decimal_separator = ".";
    std::string registry;  // extra .reg lines (after the header)

    std::string machine_text() const
    {
        std::string t =
            "[windows]\n" + windows + "[screen]\nwidth = " + std::to_string(width) +
            "\nheight = " + std::to_string(height) + "\nbits_per_pixel = " + std::to_string(bits_per_pixel) +
            "\nplanes = " + std::to_string(planes) + "\ntwips_per_pixel = " + std::to_string(twips_per_pixel) +
            "\n[memory]\ntotal_physical = " + std::to_string(memory) + "\n";
        if (c_free) t += "[disk]\nc_free = " + std::to_string(*c_free) + "\n";
        t += "[locale]\ndecimal_separator = " + decimal_separator + "\n";
        return t;
    }
    std::string reg_text() const
    {
        std::string r = "REGEDIT4\n\n";
        if (megahertz) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "%08x", *megahertz);
            r += "[HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0]\n\"~MHz\"=dword:" +
                 std::string(hex) + "\n\n";
        }
        return r + registry;
    }
    MachineProfile profile() const { return machine_profile(machine_text(), reg_text()); }
};

}  // namespace prestova::testing
