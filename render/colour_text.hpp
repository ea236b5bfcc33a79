#pragma once
// Colours (red + 256 x green + 65536 x blue) as CSS and SVG write them.
#include <cstdint>
#include <string>

namespace prestova {

// "#RRGGBB", upper-case hex digits.
std::string hex_colour(std::int32_t colour);

}  // namespace prestova
