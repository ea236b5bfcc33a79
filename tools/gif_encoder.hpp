#pragma once
// A small GIF89a writer for palette images: one frame, a full 256-entry
// global colour table, a transparent palette index and optional interlacing.
#include "pictures/indexed_image.hpp"

#include <cstdint>
#include <vector>

namespace prestova {

// Throws std::invalid_argument when the image cannot be written as a GIF:
// a side outside 1..65535, a pixel count that is not width x height, or a
// transparent index outside 0..255.
std::vector<std::uint8_t> encode_gif(const IndexedImage& image, bool interlaced);

}  // namespace prestova
