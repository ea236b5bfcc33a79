#pragma once
// The component's published identifiers. Pages refer to the control by its
// class identifier, so these never change.
#include <string_view>

namespace prestova {

constexpr std::string_view kLibraryName = "Tallymere";
constexpr std::string_view kClassName = "Prestova";
constexpr std::string_view kProgId = "Tallymere.Prestova";
constexpr std::string_view kLibraryId = "{C73ACA64-48F4-4237-8FD7-59257E66C803}";
constexpr std::string_view kClassId = "{A1FBA071-3B84-4CEF-8C26-D107981C15E2}";
constexpr std::string_view kInterfaceId = "{AF39002E-61E5-4926-A374-6AE515A0AE0E}";       // _Prestova
constexpr std::string_view kEventInterfaceId = "{A069B48D-E6FE-4F75-A8D1-30CFE3B13C9B}";  // __Prestova

// The product's version, set once in the build, and the type library's
// major.minor taken from it.
constexpr std::string_view kProductVersion = PRESTOVA_VERSION;
constexpr std::string_view kTypeLibraryVersion = PRESTOVA_TYPELIB_VERSION;

}  // namespace prestova
