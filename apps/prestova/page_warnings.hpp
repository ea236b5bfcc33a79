#pragma once
// What a page gives that the control will not use, told on standard error:
// params that are no property (the control ignores them, as it must, but a
// misspelt name is a requirement that silently goes), and no page at all.
#include "session/control_setup.hpp"

#include <iosfwd>
#include <optional>
#include <string>

namespace prestova {

// unknown: what reading the page found (see PageSettings).
void warn_about_page(const std::optional<std::string>& page, bool init, const UnknownParams& unknown,
                     std::ostream& err);

}  // namespace prestova
