#include "render/base64.hpp"

#include <string_view>

namespace prestova {

std::string base64_encode(std::span<const std::uint8_t> bytes)
{
    constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    // Sized once and written in place: the face pictures are kilobytes.
    std::string out((bytes.size() + 2) / 3 * 4, '=');
    std::size_t i = 0, o = 0;
    for (; i + 3 <= bytes.size(); i += 3, o += 4) {
        const std::uint32_t n = (std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8) | bytes[i + 2];
        out[o] = kAlphabet[(n >> 18) & 63];
        out[o + 1] = kAlphabet[(n >> 12) & 63];
        out[o + 2] = kAlphabet[(n >> 6) & 63];
        out[o + 3] = kAlphabet[n & 63];
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {  // one or two bytes: the padding '=' already stands after them
        std::uint32_t n = std::uint32_t{bytes[i]} << 16;
        if (rest == 2) n |= std::uint32_t{bytes[i + 1]} << 8;
        out[o] = kAlphabet[(n >> 18) & 63];
        out[o + 1] = kAlphabet[(n >> 12) & 63];
        if (rest == 2) out[o + 2] = kAlphabet[(n >> 6) & 63];
    }
    return out;
}

}  // namespace prestova
