#include "render/colour_text.hpp"

namespace prestova {

std::string hex_colour(std::int32_t colour)
{
    constexpr char kHex[] = "0123456789ABCDEF";
    const auto value = static_cast<std::uint32_t>(colour);
    std::string out = "#";
    for (int shift : {0, 8, 16}) {  // red is the low byte
        const unsigned component = (value >> shift) & 0xFF;
        out += kHex[component >> 4];
        out += kHex[component & 0xF];
    }
    return out;
}

}  // namespace prestova
