#pragma once
// The panel operations a section may use. The run never hides a control.
#include "design/panel_design.hpp"

#include <cstdint>
#include <string>

namespace prestova {

class Panel {
public:
    virtual ~Panel() = default;
    virtual void set_caption(ControlId id, std::string caption) = 0;
    virtual std::string caption(ControlId id) const = 0;
    // colour is red + 256 x green + 65536 x blue; anything outside
    // 0..0xFFFFFF is refused with InvalidPropertyValue.
    virtual void set_background(ControlId id, std::int32_t colour) = 0;
    virtual void make_visible(ControlId id) = 0;
};

}  // namespace prestova
