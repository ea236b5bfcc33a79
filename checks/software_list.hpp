#pragma once
// Shared by the software and browser rows: appending a line to a list cell
// and the registry text reads they make, each trimmed of blanks.
#include "checks/run_context.hpp"
#include "probes/mod_registry.hpp"

#include <string>
#include <string_view>

namespace prestova {

inline void append_line(RunContext& ctx, ControlId list, const StepName& name, const std::string& text)
{
    ctx.step(name, [&] { ctx.panel.set_caption(list, ctx.panel.caption(list) + text); });
}

// Every text read passes the default "No", the marker of a missing value.
inline std::string read_text(RunContext& ctx, RegRoot root, std::string_view path, std::string_view value_name)
{
    return trim_blanks(ReadRegString(ctx.platform.registry, root, path, value_name, "No"));
}

inline void flag_missing(RunContext& ctx, const StepName& name)
{
    ctx.step(name, [&] { ctx.software_missing = 1; });
}

}  // namespace prestova
