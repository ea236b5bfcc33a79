#pragma once
// Stands in for the header widl would make of automation_imports.idl: the
// SDK already declares these interfaces.
#include <ole2.h>
#include <objsafe.h>
