#pragma once
// The five panel colours a page sets through its colour properties, and the
// cells each one is given to at the start of a run.
#include "design/panel_design.hpp"
#include "design/properties.hpp"

#include <span>
#include <string_view>

namespace prestova {

class RunContext;

struct ColourSource {
    std::string_view name;
    Prop red, green, blue;
};

constexpr ColourSource kBadColour{"bad colour", Prop::RedBadYRM, Prop::GreenBadYRM, Prop::BlueBadYRM};
constexpr ColourSource kOkayColour{"okay colour", Prop::RedOkYRM, Prop::GreenOkYRM, Prop::BlueOkYRM};
constexpr ColourSource kResultColour{"result colour", Prop::RedYRM, Prop::GreenYRM, Prop::BlueYRM};
constexpr ColourSource kSecondColour{"second colour", Prop::Red2YRM, Prop::Green2YRM, Prop::Blue2YRM};
constexpr ColourSource kThirdColour{"third colour", Prop::Red3YRM, Prop::Green3YRM, Prop::Blue3YRM};

// Reads red, green and blue through the accessors, each as a 16-bit whole
// number (an error stops the run), a component above 255 counting as 255.
std::int32_t build_colour(RunContext& ctx, const ColourSource& source);

// The cells of a group, in the order they are coloured.
std::span<const ControlId> cells_of(ColourGroup group);

}  // namespace prestova
