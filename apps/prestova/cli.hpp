#pragma once
// The `prestova` command line, callable in-process so tests drive it too.
#include <iosfwd>
#include <string>
#include <vector>

namespace prestova {

// Exit codes: 0 after a run (also one that stopped early, which is
// reported), 2 for bad usage or unreadable input.
int run_cli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

extern const char* const kUsage;

}  // namespace prestova
