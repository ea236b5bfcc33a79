#pragma once
// The three verdict pictures as the programs use them: 85 by 85 faces that
// smile (good), keep a straight mouth (okay) or frown (bad) on a transparent
// background. They are drawn (tools/face_drawing.hpp) and GIF-encoded when
// the embedded pictures are written, not by every process that shows them.
#include "design/panel_design.hpp"
#include "pictures/indexed_image.hpp"

#include <cstdint>
#include <span>

namespace prestova {

constexpr int kFaceSize = 85;

// The face as a palette image, made from the embedded pixels on first use.
const IndexedImage& face_image(Verdict verdict);
// The face as an interlaced GIF89a with a 256-colour palette and transparency.
std::span<const std::uint8_t> face_gif(Verdict verdict);

}  // namespace prestova
