#include "pictures/face_pictures.hpp"

#include "pictures/embedded_face_pictures.hpp"

#include <array>
#include <cstddef>

namespace prestova {

namespace {

const EmbeddedFace& embedded(Verdict verdict)
{
    return kEmbeddedFacePictures.faces.at(static_cast<std::size_t>(verdict));
}

IndexedImage image_of(Verdict verdict)
{
    const std::span<const std::uint8_t> pixels = embedded(verdict).pixels;
    return IndexedImage{.width = kFaceSize,
                        .height = kFaceSize,
                        .palette = kEmbeddedFacePictures.palette,
                        .transparent_index = kEmbeddedFacePictures.transparent_index,
                        .pixels = {pixels.begin(), pixels.end()}};
}

}  // namespace

const IndexedImage& face_image(Verdict verdict)
{
    static const std::array<IndexedImage, 3> faces{image_of(Verdict::Good), image_of(Verdict::Okay),
                                                   image_of(Verdict::Bad)};
    return faces.at(static_cast<std::size_t>(verdict));
}

std::span<const std::uint8_t> face_gif(Verdict verdict) { return embedded(verdict).gif; }

}  // namespace prestova
