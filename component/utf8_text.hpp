#pragma once
// UTF-16 from Windows as UTF-8, for the texts the site lock compares.
#include <optional>
#include <string>

namespace prestova::component {

// Nothing when TEXT is not valid UTF-16.
std::optional<std::string> utf8_text(const wchar_t* text, std::size_t length);

}  // namespace prestova::component
