#pragma once
// The panel's live state: what each control shows now.
#include "platform/panel.hpp"

#include <array>

namespace prestova {

struct ControlState {
    std::string caption;
    std::int32_t background = 0;
    bool visible = false;
};

class PanelState final : public Panel {
public:
    PanelState();  // every control as designed

    void set_caption(ControlId id, std::string caption) override;
    std::string caption(ControlId id) const override;
    void set_background(ControlId id, std::int32_t colour) override;
    void make_visible(ControlId id) override;

    const ControlState& state(ControlId id) const { return controls_[static_cast<std::size_t>(id)]; }

private:
    std::array<ControlState, kControlCount> controls_;
};

}  // namespace prestova
