// A whole check run, as `prestova check` makes it, on a fuzzed machine and
// page: the input is the facts text, "\n~reg~\n", the .reg text, then
// "\n~page~\n" and the page (none: a freshly initialised control). The
// control is brought up, shown, every download link clicked and the panel
// drawn in every form. The readers' errors are what the command line
// reports; a script error must stay inside the run's report, since nothing
// above the check command catches it.
#include "apps/prestova/check_options.hpp"
#include "session/control_setup.hpp"
#include "fuzz_support.hpp"
#include "host/download_links.hpp"
#include "host/hyper_jump.hpp"
#include "host/safe_control.hpp"
#include "platform/memory_property_bag.hpp"
#include "platform/simulated/simulated_machine.hpp"
#include "render/panel_render.hpp"

#include <cstddef>
#include <cstdint>
#include <memory>

using namespace prestova;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto [facts, rest] = fuzz::cut({reinterpret_cast<const char*>(data), size}, fuzz::kRegMarker);
    const auto [reg, page] = fuzz::cut(rest, fuzz::kPageMarker);
    if (!fuzz::stays_in_scratch(facts)) return -1;
    const bool init = page.empty();
    try {
        const PageParams values = init ? PageParams{} : read_page_params(page, "fuzz.html");
        auto machine = std::make_unique<SimulatedMachine>(fuzz::read_profile(facts, reg));

        // The browser found is kept per thread: each input starts unknown.
        forget_default_browser();
        safe_control_startup();
        ControlSession session(nullptr, machine->platform(), "fuzz");
        if (init) {
            session.control.init_properties();
        } else {
            MemoryPropertyBag bag;
            for (const auto& [name, value] : values) bag.set(name, Variant(value));
            session.control.read_properties(bag);
        }
        const RunReport report = session.control.show();
        std::vector<LinkClick> clicks;
        for (const auto& link : download_links()) {
            const auto result = click_link(session.control, link.link);
            const auto& asked = session.shell.requests();
            clicks.push_back({std::string(design(link.link).name), asked.empty() ? "" : asked.back().file,
                              asked.empty() ? "" : asked.back().parameters, result, ""});
        }
        const PanelView view{session.panel, report, clicks, session.machine_name};
        (void)render_text(view);
        (void)render_json(view);
        (void)render_svg(view);
        (void)render_html(view);
    } catch (const ProfileError&) {
    } catch (const InputError&) {
    } catch (const UsageError&) {}
    forget_default_browser();
    return 0;
}
