#pragma once
// A palette image: what the face drawing makes, the GIF encoder writes and
// the component paints.
#include <array>
#include <cstdint>
#include <vector>

namespace prestova {

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::array<std::uint32_t, 256> palette{};  // 0xRRGGBB
    int transparent_index = 0;
    std::vector<std::uint8_t> pixels;  // row-major palette indices
};

}  // namespace prestova
