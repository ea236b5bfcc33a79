#pragma once
// The sites built into this DLL: the PRESTOVA_ALLOWED_SITES option, entries
// separated by ';', empty for none.
namespace prestova::component {

extern const char* const kBuiltInAllowedSites;

}  // namespace prestova::component
