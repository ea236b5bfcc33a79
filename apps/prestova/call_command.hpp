#pragma once
// `prestova call MEMBER [ARG]...`: one automation member, through the same
// member table a page's script binds to, on a control loaded from a page.
#include "apps/prestova/call_options.hpp"

#include <iosfwd>

namespace prestova {

// Exit codes: 0 when the member returned, 1 when it raised an error, 2 for bad usage or input.
int run_call_command(const CallOptions& options, std::ostream& out, std::ostream& err);

}  // namespace prestova
