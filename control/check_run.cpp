#include "control/check_run.hpp"

#include "checks/browser_check.hpp"
#include "checks/disk_check.hpp"
#include "checks/display_check.hpp"
#include "checks/memory_check.hpp"
#include "checks/os_check.hpp"
#include "checks/plugin_checks.hpp"
#include "checks/processor_check.hpp"
#include "checks/software_summary.hpp"
#include "control/colour_groups.hpp"

#include <array>
#include <string>

namespace prestova {

namespace {

// The sections in run order. The panel lays its rows out memory first, but
// the run checks the display first; the order shows in where an error stops.
constexpr std::array<RunSection, 8> kSections{{
    {"display", &check_display},
    {"processor", &check_processor},
    {"memory", &check_memory},
    {"disk space", &check_disk},
    {"operating system", &check_operating_system},
    {"plug-ins", &check_plugins},
    {"zip, Java and software summary", &check_software_summary},
    {"browsers", &check_browsers},
}};

void give_colour(RunContext& ctx, const ColourSource& source, ColourGroup group)
{
    const std::int32_t colour = build_colour(ctx, source);
    for (ControlId cell : cells_of(group)) {
        ctx.step(StepName(source.name, ": ", design(cell).name, " background"),
                 [&] { ctx.panel.set_background(cell, colour); });
    }
}

void run_all(RunContext& ctx)
{
    ctx.bad_colour = build_colour(ctx, kBadColour);
    ctx.okay_colour = build_colour(ctx, kOkayColour);
    give_colour(ctx, kResultColour, ColourGroup::Result);
    give_colour(ctx, kSecondColour, ColourGroup::Second);
    give_colour(ctx, kThirdColour, ColourGroup::Third);
    ctx.step("recommended system caption", [&] { ctx.panel.set_caption(ControlId::Label25, ctx.text(Prop::OSRec)); });
    ctx.step("minimum system caption", [&] { ctx.panel.set_caption(ControlId::Label26, ctx.text(Prop::OSMin)); });
    for (const auto& section : kSections) section.run(ctx);
}

}  // namespace

std::span<const RunSection> run_sections() { return kSections; }

RunReport run_checks(RunSubject& control)
{
    RunContext ctx(control);
    RunReport report;
    try {
        run_all(ctx);
    } catch (const ScriptError& e) {
        // Nothing is trapped before the resume-next rule: the run ends here,
        // the cells written so far keep what they received.
        report.stopped = RunStop{e.step(), e.number(), e.what()};
    }
    return report;
}

}  // namespace prestova
