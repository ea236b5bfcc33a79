#pragma once
// The sites machine policy names (Group Policy's list, the installer's
// ALLOWEDSITES), from both registry views.
#include "host/site_lock.hpp"

namespace prestova::component {

// Adds the policy's entries to SITES. Read anew for each page: a policy an
// administrator changes holds for the next page without restarting the
// browser.
void add_policy_sites(AllowedSites& sites);

}  // namespace prestova::component
