#pragma once
// The Windows component's sources that come from the member table: the
// Tallymere type library (widl compiles it, so the library a page binds to
// says what dispatch does) and the list of the dual interface's property
// members. Both are committed as written here; the tests compare.
#include <array>
#include <string>
#include <string_view>

namespace prestova {

std::string type_library_idl();
// The X-macro that declares and defines the get_/put_ vtable members.
std::string dual_property_list();

struct GeneratedSource {
    std::string_view path;  // from the top of the source tree
    std::string (*text)();
};
const std::array<GeneratedSource, 2>& generated_sources();

}  // namespace prestova
