#include "apps/prestova/check_command.hpp"

#include "apps/prestova/output_file.hpp"
#include "apps/prestova/page_warnings.hpp"
#include "apps/prestova/report/fleet_result.hpp"
#include "session/control_setup.hpp"
#include "core/ansi.hpp"
#include "core/script_error.hpp"
#include "host/download_links.hpp"
#include "render/display_text.hpp"
#include "render/panel_render.hpp"

#include <ostream>

namespace prestova {

namespace {

std::string render(OutputFormat format, const PanelView& view)
{
    switch (format) {
    case OutputFormat::Text: return render_text(view);
    case OutputFormat::Json: return render_json(view);
    case OutputFormat::Svg: return render_svg(view);
    case OutputFormat::Html: return render_html(view);
    }
    return {};
}

}  // namespace

int run_check_command(const CheckOptions& options, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> inputs{options.machine};
    if (options.page) inputs.push_back(*options.page);
    OutputFile output(options.output, out, inputs);
    UnknownParams unknown;
    auto session = ControlSession::open(options.machine, options.page, options.params, options.init, &unknown);
    warn_about_page(options.page, options.init, unknown, err);

    RunReport report;
    for (int i = 0; i < options.runs; ++i) report = session->control.show();

    // Clicks come after the runs, on any link, shown or not: the control
    // itself does not check, as a host that forwards clicks would find.
    std::vector<LinkClick> clicks;
    for (const auto& name : options.clicks) {
        const auto link = find_control(name);
        const auto before = session->shell.requests().size();
        const auto result = click_link(session->control, *link);
        const auto& launches = session->shell.requests();
        if (launches.size() > before)
            clicks.push_back({name, launches.back().file, launches.back().parameters, launches.back().result, ""});
        else clicks.push_back({name, "", "", result, "address refused, nothing opened"});
    }

    PanelView view{session->panel, report, clicks, session->machine_name};
    for (const ControlDesign& c : panel_design()) {
        const auto address = address_of(c.id);
        if (!address) continue;
        try {
            view.link_addresses.emplace_back(
                c.id, ansi_to_utf8(session->control.get(*address).to_text(session->control.locale())));
        } catch (const ScriptError&) {  // an address that is no text is no link
        }
    }
    const std::string shown = render(options.format, view);
    output.stream() << shown;
    output.commit();
    // The verdict in one line, as a report sums up its machines; the panel
    // itself stays as the control drew it.
    err << "prestova: " << utf8_or_code_page(session->machine_name) << " is "
        << readiness_name(read_fleet_result(session->panel, report).readiness);
    if (report.stopped)
        err << "; the run stopped at " << report.stopped->step << ": error " << report.stopped->error_number << ": "
            << ansi_to_utf8(report.stopped->message);
    err << "\n";
    return 0;
}

}  // namespace prestova
