#pragma once
// `prestova report`: many machine profiles checked against one or more
// pages at once, written as CSV, JSON lines or an HTML dashboard.
#include <iosfwd>
#include <string>
#include <vector>

namespace prestova {

// Exit codes: 0 when the report was written, 1 with --strict when a machine
// could not be read, 2 for bad usage or an unreadable page.
int run_report_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The .machine files a report reads: files named as they are, folders
// searched recursively; sorted by path, each once.
std::vector<std::string> find_machine_files(const std::vector<std::string>& inputs);

}  // namespace prestova
