#include "apps/prestova/page_warnings.hpp"

#include "apps/prestova/nearest_name.hpp"
#include "core/input_quote.hpp"
#include "design/properties.hpp"
#include "session/control_setup.hpp"

#include <ostream>

namespace prestova {

void warn_about_page(const std::optional<std::string>& page, bool init, const UnknownParams& unknown, std::ostream& err)
{
    if (!page) {
        if (!init)
            err << "prestova: no --page: every property keeps its default, as on a page\n"
                   "  that gives the control no <param>s\n";
        return;
    }
    std::vector<std::string> keys;
    for (const auto& info : property_table()) keys.emplace_back(info.bag_key);
    const std::string shown = *page == "-" ? "standard input" : *page;
    for (const std::string& name : unknown.names)
        err << "prestova: warning: " << shown << ": param " << quote_input(name)
            << " is not a property of the control and is ignored" << did_you_mean(name, keys) << "\n";
    if (unknown.count > unknown.names.size())
        err << "prestova: warning: " << shown << ": " << unknown.count - unknown.names.size()
            << " more params are ignored\n";
}

}  // namespace prestova
