#pragma once
// JSON string literals.
#include <string>
#include <string_view>

namespace prestova {

// The text quoted as a JSON string. Every character is kept: control
// characters are escaped (a carriage return as \r), the rest passes as
// UTF-8, which the caller must supply.
std::string json_string(std::string_view utf8);

}  // namespace prestova
