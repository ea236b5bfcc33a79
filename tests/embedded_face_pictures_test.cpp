// The programs show the face pictures embedded at build time; they must be
// exactly what the drawing and the GIF encoder make today, and the committed
// source must be what the picture writer writes, or a changed drawing would
// ship stale pictures.
#include "tools/face_drawing.hpp"
#include "tools/face_picture_source.hpp"
#include "pictures/face_pictures.hpp"
#include "tools/gif_encoder.hpp"

#include "tests/committed_source_support.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace prestova {
namespace {

using testing::first_difference;
using testing::read_committed_file;

TEST(EmbeddedFacePictures, AreWhatTheEncoderMakesOfTheDrawing)
{
    for (const Verdict verdict : {Verdict::Good, Verdict::Okay, Verdict::Bad}) {
        const IndexedImage drawn = draw_face(verdict);
        const IndexedImage& embedded = face_image(verdict);
        EXPECT_EQ(std::vector<int>({embedded.width, embedded.height, embedded.transparent_index}),
                  std::vector<int>({drawn.width, drawn.height, drawn.transparent_index}));
        EXPECT_EQ(embedded.palette, drawn.palette);
        EXPECT_EQ(embedded.pixels, drawn.pixels);
        const std::span<const std::uint8_t> gif = face_gif(verdict);
        EXPECT_EQ(std::vector<std::uint8_t>(gif.begin(), gif.end()), encode_gif(drawn, true));
    }
}

TEST(EmbeddedFacePictureSource, CommittedFileIsWhatThePictureWriterWrites)
{
    const std::string path = std::string(PRESTOVA_SOURCE_DIR).append("/").append(kEmbeddedFacePicturesPath);
    const std::string committed = read_committed_file(path);
    ASSERT_FALSE(committed.empty()) << "cannot read " << path;
    const std::string written = embedded_face_pictures_source();
    EXPECT_TRUE(committed == written)
        << kEmbeddedFacePicturesPath << " differs from what the drawing and the encoder make, at "
        << first_difference(committed, written) << "\nRewrite it with: "
        << std::string("cmake --build ").append(PRESTOVA_BUILD_DIR).append(" --target face_pictures");
}

}  // namespace
}  // namespace prestova
