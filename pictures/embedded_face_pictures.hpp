#pragma once
// The face pictures as the build's picture writer made them from the drawing
// and the GIF encoder (tools/face_picture_source.hpp), defined in the
// committed pictures/embedded_face_pictures.cpp.
#include <array>
#include <cstdint>
#include <span>

namespace prestova {

struct EmbeddedFace {
    std::span<const std::uint8_t> pixels;  // kFaceSize x kFaceSize palette indices, row-major
    std::span<const std::uint8_t> gif;
};

struct EmbeddedFacePictures {
    std::array<std::uint32_t, 256> palette;  // 0xRRGGBB, shared by the three faces
    int transparent_index;
    std::array<EmbeddedFace, 3> faces;  // in Verdict order
};

extern const EmbeddedFacePictures kEmbeddedFacePictures;

}  // namespace prestova
