#pragma once
// The sites whose pages may use this DLL's control: the list built into it
// (the PRESTOVA_ALLOWED_SITES option) and the list machine policy names.
#include "host/site_lock.hpp"

namespace prestova::component {

extern const char* const kBuiltInAllowedSites;  // entries separated by ';', empty for none

// Read anew each time: a policy an administrator changes holds for the next
// page without restarting the browser.
AllowedSites allowed_sites();

}  // namespace prestova::component
