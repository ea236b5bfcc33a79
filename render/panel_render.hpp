#pragma once
// The panel shown to a person, in four forms: a readable text grid, JSON for
// programs, and SVG or HTML pictures at the panel's design geometry.
#include "checks/run_report.hpp"
#include "control/panel_state.hpp"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace prestova {

// One launch the shell was asked for when a download link was clicked.
// file and parameters are code-page texts, as the shell received them.
struct LinkClick {
    std::string link;  // the link control's name, e.g. "javalink"
    std::string file;
    std::string parameters;
    std::int64_t result;  // the shell's answer: above 32 on success
    std::string refused;  // why nothing was opened; empty when the shell was asked

    // The link's name, with the refusal after it, as the readable outputs show it.
    std::string label() const { return refused.empty() ? link : link + " (" + refused + ")"; }
};

struct PanelView {
    const PanelState& panel;
    const RunReport& report;
    std::vector<LinkClick> clicks;  // in order; may be empty
    std::string machine;            // machine profile shown; may be empty
    // The download links' addresses as the control holds them (UTF-8), for
    // the web page's links; may be empty.
    std::vector<std::pair<ControlId, std::string>> link_addresses = {};
};

// Every function returns UTF-8. Captions are converted from the code page;
// the machine name, the stop and the link name are taken as UTF-8 when they
// are valid UTF-8 and as code-page text otherwise.
std::string render_text(const PanelView& view);
std::string render_json(const PanelView& view);
std::string render_svg(const PanelView& view);
std::string render_html(const PanelView& view);

}  // namespace prestova
