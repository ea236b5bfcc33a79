#pragma once
// The seven download links and the address property each one opens.
#include "control/prestova.hpp"
#include "design/panel_design.hpp"

#include <array>
#include <cstdint>
#include <optional>

namespace prestova {

struct DownloadLink {
    ControlId link;
    Prop address;
};

const std::array<DownloadLink, 7>& download_links();
std::optional<Prop> address_of(ControlId link);

// The click on a link: reads its address property and opens it in the
// default browser. Returns the shell's result, which the control ignores.
// Links that are not visible react the same; the host decides what it forwards.
std::intptr_t click_link(Prestova& control, ControlId link);

}  // namespace prestova
