#include "control/colour_groups.hpp"

#include "checks/run_context.hpp"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace prestova {

namespace {

// A group's cells as the design table assigns them, in design order with
// the test names first: the run colours the name column before the figures.
std::vector<ControlId> group_cells(ColourGroup group)
{
    std::vector<ControlId> cells;
    for (const ControlDesign& cell : panel_design())
        if (cell.group == group) cells.push_back(cell.id);
    // Iterators, not ranges: clang 14 cannot use libstdc++ 12's ranges algorithms.
    std::stable_partition(cells.begin(), cells.end(), [](ControlId id) { return design(id).style == CellStyle::Name; });
    return cells;
}

}  // namespace

std::int32_t build_colour(RunContext& ctx, const ColourSource& source)
{
    std::int32_t colour = 0;
    const std::pair<Prop, std::int32_t> components[] = {{source.red, 1}, {source.green, 256}, {source.blue, 65536}};
    for (const auto& component : components) {
        // Plain names, not a structured binding: clang 14 cannot capture one.
        const Prop prop = component.first;
        const std::int32_t weight = component.second;
        ctx.step(StepName(source.name, ": ", property_info(prop).name), [&] {
            const std::int32_t value = std::min<std::int32_t>(ctx.whole(prop), 255);
            colour += value * weight;
        });
    }
    return colour;
}

std::span<const ControlId> cells_of(ColourGroup group)
{
    static const std::array<std::vector<ControlId>, 4> kGroups{
        std::vector<ControlId>{}, group_cells(ColourGroup::Result), group_cells(ColourGroup::Second),
        group_cells(ColourGroup::Third)};
    return kGroups[static_cast<std::size_t>(group)];
}

}  // namespace prestova
