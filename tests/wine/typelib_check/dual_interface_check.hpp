#pragma once
// _Prestova against the core's member table: flags, vtable layout, and each
// of the 85 members' name, dispatch identifier, kind and parameters.
#include "findings.hpp"

void check_dual_interface(ITypeLib* library, Findings& findings);
