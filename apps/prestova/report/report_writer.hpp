#pragma once
// The outputs of `prestova report`. Records arrive sorted by machine file
// and then page, and each is written as it comes, so memory does not grow
// with the number of machines.
#include "apps/prestova/report/fleet_result.hpp"
#include "render/svg_parts.hpp"

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace prestova {

// What a run's panel is drawn from.
struct RunPanel {
    PanelState panel;
    RunReport report;
    std::string machine;

    PanelView view() const { return {panel, report, {}, machine}; }
};

// One machine checked against one page.
struct ReportRecord {
    std::string file;      // the machine file, as found
    std::string machine;   // its name
    std::size_t page = 0;  // index into the report's pages
    FleetResult result;
    // html only: the panel's file (with --panels), else the panel as the run
    // left it, for the page to keep what the run changed.
    std::string panel_file;
    std::optional<RunPanel> panel;
};

// A machine file that could not be read.
struct ReportError {
    std::string file;  // the machine file
    std::string machine;
    int line = 0;         // 0 when the fault has no line
    std::string message;  // UTF-8; names the file at fault when it is not the machine file
};

class ReportWriter {
public:
    virtual ~ReportWriter() = default;
    virtual void add(const ReportRecord& record) = 0;
    virtual void add(const ReportError& error) = 0;
    virtual void finish() = 0;
};

// pages: the page files as given, "" for the bag's defaults.
std::unique_ptr<ReportWriter> make_csv_writer(std::ostream& out, std::vector<std::string> pages);
std::unique_ptr<ReportWriter> make_jsonl_writer(std::ostream& out, std::vector<std::string> pages);
// inline_panels: the panels are kept in the page, else linked to their files.
std::unique_ptr<ReportWriter> make_html_writer(std::ostream& out, std::vector<std::string> pages, bool inline_panels);

// The CSV header: file, machine, page, readiness, then verdict, value and
// missing for each row ("memory_verdict", ...), then stopped_step,
// stopped_error, stopped_message, error_line, error.
std::vector<std::string> csv_columns();

}  // namespace prestova
