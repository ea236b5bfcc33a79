// Defines the identifiers the generated type-library header declares.
#include <initguid.h>

#include "tallymere.h"
