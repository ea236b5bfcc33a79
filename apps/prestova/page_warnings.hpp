#pragma once
// What a page gives that the control will not use, told on standard error:
// params that are no property (the control ignores them, as it must, but a
// misspelt name is a requirement that silently goes), and no page at all.
#include <iosfwd>
#include <optional>
#include <string>

namespace prestova {

// Throws InputError when the page cannot be read.
void warn_about_page(const std::optional<std::string>& page, bool init, std::ostream& err);

}  // namespace prestova
