#pragma once
// The `prestova` command line, callable in-process so tests drive it too.
#include <iosfwd>
#include <string>
#include <vector>

namespace prestova {

// Exit codes: 0 after a run (also one that stopped early, which is
// reported), 1 for a member that raised an error or, with --strict, an
// unreadable machine in a report; 2 for bad usage, unreadable input or
// output that could not be written.
int run_cli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace prestova
