#include "apps/prestova/report_command.hpp"

#include "session/control_setup.hpp"
#include "apps/prestova/parallel_for.hpp"
#include "apps/prestova/progress_bar.hpp"
#include "apps/prestova/output_file.hpp"
#include "apps/prestova/page_warnings.hpp"
#include "apps/prestova/report/report_writer.hpp"
#include "platform/simulated/profile_error.hpp"
#include "render/display_text.hpp"
#include "render/panel_render.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <variant>

namespace prestova {

namespace {

namespace fs = std::filesystem;

// Machines are checked a batch at a time and written in order, so the
// output is the same whatever the threads do and memory holds one batch.
constexpr std::size_t kMachinesPerThreadInBatch = 32;

struct Page {
    std::string file;  // as given; "" for the bag's defaults
    PropertyValues values;
};

using MachineOutcome = std::variant<ReportError, std::vector<ReportRecord>>;

struct Tally {
    std::size_t machines = 0, errors = 0, ready = 0, usable = 0, not_ready = 0, stopped = 0;
    std::map<std::string, std::size_t> stops;  // why runs stopped, and how often
};

class FleetRun {
public:
    FleetRun(const ReportOptions& options, std::vector<Page> pages)
        : options_(options), pages_(std::move(pages)),
          // Panel files are linked from wherever the report is written.
          link_base_(options.output && *options.output != "-" ? fs::absolute(*options.output).parent_path()
                                                              : fs::current_path())
    {}

    MachineOutcome check(const std::string& file, std::size_t index) const
    {
        const std::string shown = utf8_or_code_page(file);
        const std::string name = utf8_or_code_page(fs::path(file).stem().string());
        std::unique_ptr<Machine> machine;
        try {
            machine = open_profile_machine(file);
        } catch (const ProfileError& e) {
            // A fault in the machine file itself is placed by its line;
            // one in its registry file is named in the message.
            const bool here = e.file().empty() || e.file() == file;
            return ReportError{shown, name, here ? e.line() : 0,
                               utf8_or_code_page(here && !e.file().empty() ? e.detail() : e.what())};
        }
        std::vector<ReportRecord> records;
        for (std::size_t p = 0; p < pages_.size(); ++p) {
            auto session = ControlSession::open(machine->platform(), machine->name(), pages_[p].values, false);
            const RunReport report = session->control.show();
            ReportRecord record{shown, name, p, read_fleet_result(session->panel, report), "", {}};
            if (options_.format == ReportFormat::Html) {
                RunPanel panel{session->panel, report, session->machine_name};
                if (options_.panels) record.panel_file = panel_file(panel.view(), index, p);
                else record.panel = std::move(panel);
            }
            records.push_back(std::move(record));
        }
        return records;
    }

private:
    // Writes the panel beside the report and gives the path to link to.
    std::string panel_file(const PanelView& view, std::size_t index, std::size_t page) const
    {
        const std::string name = std::to_string(index + 1).append("-").append(std::to_string(page + 1)).append(".svg");
        const fs::path path = fs::path(*options_.panels) / name;
        std::ofstream out(path, std::ios::binary);
        if (!(out << render_svg(view))) throw InputError("cannot write " + path.string());
        return fs::proximate(fs::absolute(path), link_base_).generic_string();
    }

    const ReportOptions& options_;
    std::vector<Page> pages_;
    fs::path link_base_;
};

std::vector<Page> read_pages(const ReportOptions& options, std::ostream& err)
{
    std::vector<Page> pages;
    if (options.pages.empty()) {
        warn_about_page(std::nullopt, false, {}, err);
        pages.push_back({"", page_values(PageSettings{std::nullopt, options.params, false})});
    }
    for (const auto& file : options.pages) {
        UnknownParams unknown;
        pages.push_back({file, page_values(PageSettings{file, options.params, false, &unknown})});
        warn_about_page(file, false, unknown, err);
    }
    return pages;
}

// "N machines × M pages = P checks: ...", counts that add up, then the
// most common reason runs stopped for.
void summarize(std::ostream& err, const Tally& tally, std::size_t pages)
{
    const auto plural = [](std::size_t n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    const std::size_t read = tally.machines - tally.errors;
    err << "prestova: " << plural(tally.machines, "machine", "machines") << " \u00d7 " << plural(pages, "page", "pages")
        << " = " << plural(read * pages, "check", "checks") << ": " << tally.ready << " ready, " << tally.usable
        << " usable, " << tally.not_ready << " not ready";
    if (tally.errors) err << " (" << plural(tally.errors, "machine", "machines") << " could not be read)";
    err << "\n";
    if (tally.stopped) {
        const auto most = std::max_element(tally.stops.begin(), tally.stops.end(),
                                           [](const auto& a, const auto& b) { return a.second < b.second; });
        err << "prestova: " << plural(tally.stopped, "run", "runs") << " stopped, most often at " << most->first
            << "\n";
    }
}

void count(Tally& tally, const MachineOutcome& outcome)
{
    ++tally.machines;
    if (std::holds_alternative<ReportError>(outcome)) {
        ++tally.errors;
        return;
    }
    for (const ReportRecord& r : std::get<std::vector<ReportRecord>>(outcome)) {
        if (r.result.stopped) {
            ++tally.stopped;
            ++tally.stops[r.result.stopped->step + ": " + r.result.stopped->message];
        }
        if (r.result.readiness == Readiness::Ready) ++tally.ready;
        else if (r.result.readiness == Readiness::Usable) ++tally.usable;
        else ++tally.not_ready;
    }
}

}  // namespace

std::vector<std::string> find_machine_files(const std::vector<std::string>& inputs)
{
    std::vector<std::string> files;
    for (const auto& input : inputs) {
        std::error_code ec;
        if (!fs::exists(input, ec)) throw InputError("cannot read " + input + ": no such file or folder");
        if (!fs::is_directory(input, ec)) {
            files.push_back(input);  // read later; one that cannot be read becomes an error line
            continue;
        }
        const std::size_t before = files.size();
        const auto options = fs::directory_options::skip_permission_denied;
        for (fs::recursive_directory_iterator it(input, options, ec), end; !ec && it != end; it.increment(ec))
            if (it->path().extension() == ".machine" && !it->is_directory(ec)) files.push_back(it->path().string());
        if (files.size() == before) throw InputError("the folder " + input + " holds no .machine files");
    }
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
    return files;
}

int run_report_command(const ReportOptions& options, std::ostream& out, std::ostream& err)
{
    // One list of names, however large the fleet: the pages join the
    // machines only while the output is checked against every input.
    std::vector<std::string> machines = find_machine_files(options.machines);
    const std::size_t machine_count = machines.size();
    machines.insert(machines.end(), options.pages.begin(), options.pages.end());
    OutputFile output(options.output, out, machines);
    machines.resize(machine_count);
    const std::vector<Page> pages = read_pages(options, err);
    if (options.panels) {
        std::error_code ec;
        fs::create_directories(*options.panels, ec);
        if (!fs::is_directory(*options.panels)) throw InputError("cannot make the folder " + *options.panels);
    }

    std::ostream& sink = output.stream();
    std::vector<std::string> page_names;
    for (const auto& page : pages) page_names.push_back(utf8_or_code_page(page.file));
    std::unique_ptr<ReportWriter> writer = options.format == ReportFormat::Csv ? make_csv_writer(sink, page_names)
                                           : options.format == ReportFormat::Jsonl
                                               ? make_jsonl_writer(sink, page_names)
                                               : make_html_writer(sink, page_names, !options.panels);

    const unsigned jobs = options.jobs ? options.jobs : available_cores();
    const FleetRun run(options, pages);
    ProgressBar progress(err, machines.size(), standard_error_is_terminal());
    Tally tally;
    const std::size_t batch = kMachinesPerThreadInBatch * jobs;
    std::vector<MachineOutcome> checked, checking;
    const auto write_checked = [&] {
        for (const auto& outcome : checked) {
            count(tally, outcome);
            if (const auto* error = std::get_if<ReportError>(&outcome)) writer->add(*error);
            else
                for (const auto& record : std::get<std::vector<ReportRecord>>(outcome)) writer->add(record);
        }
    };
    // Each batch is written while the next is checked: writing takes a
    // share of the time (a dashboard's, a quarter of the checking's), and
    // would otherwise leave the cores idle.
    for (std::size_t first = 0; first < machines.size(); first += batch) {
        const std::size_t n = std::min(batch, machines.size() - first);
        checking.assign(n, MachineOutcome{});
        alongside(write_checked, [&] {
            parallel_for(n, jobs, [&](std::size_t i) { checking[i] = run.check(machines[first + i], first + i); });
        });
        progress.update(first);
        std::swap(checked, checking);
    }
    write_checked();
    progress.update(machines.size());
    writer->finish();
    progress.finish();
    output.commit();
    summarize(err, tally, pages.size());
    return options.strict && tally.errors ? 1 : 0;
}

}  // namespace prestova
