// Sources a build tool writes are committed, so every tree (the mingw ones
// too) compiles the same bytes; each must be what its tool writes today. A
// member table changed without rewriting the component's sources would ship
// a type library that disagrees with dispatch, a changed drawing stale
// pictures.
#include "pictures/face_pictures.hpp"
#include "tools/face_drawing.hpp"
#include "tools/face_picture_source.hpp"
#include "tools/gif_encoder.hpp"
#include "tools/interface_sources.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace prestova {
namespace {

// Else the first line where the two part, and how to write the file again.
void expect_committed(std::string_view path, const std::string& written, const char* target)
{
    std::ifstream in(std::string(PRESTOVA_SOURCE_DIR).append("/").append(path), std::ios::binary);
    const std::string committed{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_FALSE(committed.empty()) << "cannot read " << path;
    if (committed == written) return;
    const auto at = static_cast<std::size_t>(
        std::mismatch(committed.begin(), committed.end(), written.begin(), written.end()).first - committed.begin());
    const std::size_t start = at == 0 ? 0 : committed.rfind('\n', at - 1) + 1;
    const auto line = [&](const std::string& text) { return text.substr(start, text.find('\n', start) - start); };
    ADD_FAILURE() << path << " differs from what its tool writes, at line "
                  << std::count(committed.begin(), committed.begin() + static_cast<std::ptrdiff_t>(start), '\n') + 1
                  << ":\n  committed: " << line(committed) << "\n  written now: " << line(written)
                  << "\nRewrite it with: cmake --build " << PRESTOVA_BUILD_DIR << " --target " << target;
}

TEST(CommittedSources, AreWhatTheirToolsWriteToday)
{
    for (const auto& source : generated_sources()) expect_committed(source.path, source.text(), "interface_sources");
    expect_committed(kEmbeddedFacePicturesPath, embedded_face_pictures_source(), "face_pictures");
}

// The pictures the programs show are what the drawing and the encoder make.
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

}  // namespace
}  // namespace prestova
