#pragma once
// `prestova report`: many machine profiles checked against one or more
// pages at once, written as CSV, JSON lines or an HTML dashboard.
#include "apps/prestova/report_options.hpp"

#include <iosfwd>
#include <string>
#include <vector>

namespace prestova {

// Exit codes: 0 when the report was written, 1 with --strict when a machine
// could not be read, 2 for bad usage, an unreadable page, a path that does
// not exist or a folder without machines.
int run_report_command(const ReportOptions& options, std::ostream& out, std::ostream& err);

// The .machine files a report reads: files named as they are, folders
// searched recursively; sorted by path, each once. Throws InputError for a
// path that does not exist and a folder that holds no .machine file.
std::vector<std::string> find_machine_files(const std::vector<std::string>& inputs);

}  // namespace prestova
