#pragma once
// The three verdict pictures: 85 by 85 yellow faces with black eyes that
// smile (good), keep a straight mouth (okay) or frown (bad), on a
// transparent background. Drawn by code, stored as an indexed image and
// encoded as an interlaced GIF89a with a 256-colour palette.
#include "design/panel_design.hpp"

#include <array>
#include <cstdint>
#include <vector>

namespace prestova {

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::array<std::uint32_t, 256> palette{};  // 0xRRGGBB
    int transparent_index = 0;
    std::vector<std::uint8_t> pixels;          // row-major palette indices
};

constexpr int kFaceSize = 85;

const IndexedImage& face_image(Verdict verdict);
const std::vector<std::uint8_t>& face_gif(Verdict verdict);

} // namespace prestova
