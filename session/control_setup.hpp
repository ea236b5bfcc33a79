#pragma once
// One control brought up on a machine the way a page brings it up: loaded
// from the page's params (or initialised fresh), ready to show.
#include "session/machine.hpp"
#include "session/page_params.hpp"
#include "control/panel_state.hpp"
#include "control/prestova.hpp"
#include "platform/recording_shell.hpp"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace prestova {

// Property bag keys and the values they load, in order: a page's params
// as text, --param values as typed.
using PropertyValues = std::vector<std::pair<std::string, Variant>>;

// A page's params that are no property of the control: the first few by
// name, and how many in all (a page may hold thousands).
struct UnknownParams {
    static constexpr std::size_t kNamed = 10;
    std::vector<std::string> names;
    std::size_t count = 0;
};

struct PageSettings {
    std::optional<std::string> page;                          // an HTML file
    std::vector<std::pair<std::string, std::string>> params;  // NAME=VALUE overrides, UTF-8
    bool init = false;  // fresh control; the values are then written as a script would
    // When given, the page's params that are no property of the control
    // (which ignores them, as it must) are counted there.
    UnknownParams* unknown_params = nullptr;
};

struct ControlSession {
    // The control runs on platform, with its shell seen through `shell`;
    // machine, when given, is kept alive for it.
    ControlSession(std::unique_ptr<Machine> machine, Platform platform, std::string machine_name);

    std::unique_ptr<Machine> machine;  // may be null: the platform is someone else's
    RecordingShell shell;              // every program a click asked for
    PanelState panel;
    Prestova control;
    std::string machine_name;

    // Loads the page and brings the control up on the machine.
    // Throws InputError or UsageError.
    static std::unique_ptr<ControlSession> open(std::unique_ptr<Machine> machine, const PageSettings& settings);
    // On services the caller owns (a recording wrapper, say).
    static std::unique_ptr<ControlSession> open(Platform platform, std::string machine_name,
                                                const PageSettings& settings);
    // On services the caller owns, with a page's values already read.
    static std::unique_ptr<ControlSession> open(Platform platform, std::string machine_name,
                                                const PropertyValues& values, bool init);
    // A machine profile, or this PC for an empty machine_file. Throws
    // ProfileError, InputError or UsageError.
    static std::unique_ptr<ControlSession> open(const std::string& machine_file,
                                                const std::optional<std::string>& page_file,
                                                const std::vector<std::pair<std::string, std::string>>& params,
                                                bool init, UnknownParams* unknown_params = nullptr);

private:
    static std::unique_ptr<ControlSession> start(std::unique_ptr<Machine> machine, const PropertyValues& values,
                                                 bool init);
    static std::unique_ptr<ControlSession> launch(std::unique_ptr<Machine> machine, Platform platform,
                                                  std::string machine_name, const PropertyValues& values, bool init);
};

// A page's bytes; "-" is standard input. Throws InputError with the reason.
std::string read_file(const std::string& path);

// The bag keys a page and its overrides give: the page's own params that are
// properties of the control, then the overrides. Throws InputError or UsageError.
PropertyValues page_values(const PageSettings& settings);

}  // namespace prestova
