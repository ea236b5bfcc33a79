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

class EmbeddedFacePictures : public ::testing::TestWithParam<Verdict> {};

TEST_P(EmbeddedFacePictures, GifIsWhatTheEncoderMakesOfTheDrawing)
{
    const std::vector<std::uint8_t> encoded = encode_gif(draw_face(GetParam()), true);
    const std::span<const std::uint8_t> embedded = face_gif(GetParam());
    EXPECT_EQ(std::vector<std::uint8_t>(embedded.begin(), embedded.end()), encoded);
}

TEST_P(EmbeddedFacePictures, ImageIsTheDrawing)
{
    const IndexedImage drawn = draw_face(GetParam());
    const IndexedImage& embedded = face_image(GetParam());
    EXPECT_EQ(embedded.width, drawn.width);
    EXPECT_EQ(embedded.height, drawn.height);
    EXPECT_EQ(embedded.palette, drawn.palette);
    EXPECT_EQ(embedded.transparent_index, drawn.transparent_index);
    EXPECT_EQ(embedded.pixels, drawn.pixels);
}

INSTANTIATE_TEST_SUITE_P(Verdicts, EmbeddedFacePictures, ::testing::Values(Verdict::Good, Verdict::Okay, Verdict::Bad),
                         [](const auto& info) {
                             switch (info.param) {
                             case Verdict::Good: return std::string("Good");
                             case Verdict::Okay: return std::string("Okay");
                             case Verdict::Bad: return std::string("Bad");
                             }
                             return std::string("Unknown");
                         });

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
