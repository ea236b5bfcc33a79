// The site lock on the control's side: the page's address from the site,
// judged against the allowed sites.
#include "built_in_sites.hpp"
#include "control_object.hpp"
#include "page_address.hpp"
#include "policy_sites.hpp"

namespace prestova::component {

void ControlObject::lock_to_page(IOleClientSite* site)
{
    AllowedSites sites;
    sites.add(kBuiltInAllowedSites);
    add_policy_sites(sites);
    const bool was_refused = page_refused_;
    if (!sites.in_force()) {
        page_refused_ = false;
        return;
    }
    const auto address = page_address(site);
    page_refused_ = !address || !sites.allows(*address);
    if (!page_refused_ || was_refused) return;
    // What an earlier page gave (parameters, a run's results) is not kept
    // for this one.
    control_.clear_properties();
    panel_ = PanelState();
    dirty_ = false;
    repaint();
}

}  // namespace prestova::component
