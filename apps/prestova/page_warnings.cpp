#include "apps/prestova/page_warnings.hpp"

#include "apps/prestova/nearest_name.hpp"
#include "core/input_quote.hpp"
#include "design/properties.hpp"
#include "session/control_setup.hpp"

#include <ostream>

namespace prestova {

void warn_about_page(const std::optional<std::string>& page, bool init, std::ostream& err)
{
    if (!page) {
        if (!init)
            err << "prestova: no --page: every property keeps its default, as on a page\n"
                   "  that gives the control no <param>s\n";
        return;
    }
    std::vector<std::string> unknown;
    page_values(PageSettings{page, {}, false, &unknown});
    std::vector<std::string> keys;
    for (const auto& info : property_table()) keys.emplace_back(info.bag_key);
    const std::string shown = *page == "-" ? "standard input" : *page;
    constexpr std::size_t kNamed = 10;  // a page of thousands of other params is not listed whole
    for (std::size_t i = 0; i < unknown.size() && i < kNamed; ++i)
        err << "prestova: warning: " << shown << ": param " << quote_input(unknown[i])
            << " is not a property of the control and is ignored" << did_you_mean(unknown[i], keys) << "\n";
    if (unknown.size() > kNamed)
        err << "prestova: warning: " << shown << ": " << unknown.size() - kNamed << " more params are ignored\n";
}

}  // namespace prestova
