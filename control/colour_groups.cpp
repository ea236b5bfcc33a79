#include "control/colour_groups.hpp"

#include "checks/run_context.hpp"

#include <algorithm>
#include <array>
#include <string>

namespace prestova {

namespace {

using enum ControlId;

constexpr std::array kResultCells{LabelMemAmount, memRecommend, Label14, Label17, Label4, Label7, Label19,
                                  Label22, Label24, Label27, Label28, Label30, Label33, Label34};
constexpr std::array kSecondCells{Label2, Label3, Label1, Label18, Label23, Label29, Label32, Label12, Label13,
                                  Label15, Label16, Label5, Label6, Label20, Label21, Label25, Label26};
constexpr std::array kThirdCells{Label8, Label9, Label10, Label11};

} // namespace

std::int32_t build_colour(RunContext& ctx, const ColourSource& source)
{
    std::int32_t colour = 0;
    const std::pair<Prop, std::int32_t> components[] = {{source.red, 1}, {source.green, 256}, {source.blue, 65536}};
    for (const auto& component : components) {
        // Plain names, not a structured binding: clang 14 cannot capture one.
        const Prop prop = component.first;
        const std::int32_t weight = component.second;
        ctx.step(std::string(source.name) + ": " + std::string(property_info(prop).name), [&] {
            const std::int32_t value = std::min<std::int32_t>(ctx.whole(prop), 255);
            colour += value * weight;
        });
    }
    return colour;
}

std::span<const ControlId> cells_of(ColourGroup group)
{
    switch (group) {
    case ColourGroup::Result: return kResultCells;
    case ColourGroup::Second: return kSecondCells;
    case ColourGroup::Third: return kThirdCells;
    case ColourGroup::None: break;
    }
    return {};
}

} // namespace prestova
