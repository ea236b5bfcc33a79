#include "control/panel_state.hpp"

#include "core/script_error.hpp"

namespace prestova {

PanelState::PanelState()
{
    for (const auto& d : panel_design()) {
        auto& s = controls_[static_cast<std::size_t>(d.id)];
        s.caption = std::string(d.caption);
        s.background = d.background;
        s.visible = d.visible_at_start;
    }
}

void PanelState::set_caption(ControlId id, std::string caption)
{
    controls_[static_cast<std::size_t>(id)].caption = std::move(caption);
}

std::string PanelState::caption(ControlId id) const { return controls_[static_cast<std::size_t>(id)].caption; }

void PanelState::set_background(ControlId id, std::int32_t colour)
{
    if (colour < 0 || colour > 0xFFFFFF)
        throw ScriptError(ErrorCode::InvalidPropertyValue, "Invalid property value: colour " + std::to_string(colour) +
                                                               " for " + std::string(design(id).name));
    controls_[static_cast<std::size_t>(id)].background = colour;
}

void PanelState::make_visible(ControlId id) { controls_[static_cast<std::size_t>(id)].visible = true; }

}  // namespace prestova
