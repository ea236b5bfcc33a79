// The GIF encoder checked against an independent reader: ImageMagick must
// decode every shape, straight and interlaced, and the face pictures as the
// programs hand them out, to exactly the colours given.
#include "tools/gif_encoder.hpp"
#include "pictures/face_pictures.hpp"

#include "tests/temp_folder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

namespace prestova {
namespace {

IndexedImage random_image(int width, int height, unsigned seed, int colours = 256)
{
    IndexedImage image;
    image.width = width;
    image.height = height;
    for (std::size_t i = 0; i < image.palette.size(); ++i)
        image.palette[i] = static_cast<std::uint32_t>(i * 0x010203u) & 0xFFFFFFu;
    image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> pick(0, colours - 1);
    for (auto& p : image.pixels) p = static_cast<std::uint8_t>(pick(rng));
    return image;
}

// The picture's pixels as ImageMagick reads them, 0xRRGGBB each.
std::vector<std::uint32_t> decoded(const std::vector<std::uint8_t>& gif_bytes)
{
    const prestova::testing::TempFolder folder;
    const auto gif = folder.write("image.gif", {reinterpret_cast<const char*>(gif_bytes.data()), gif_bytes.size()});
    const auto rgb = folder.file("image.rgb");
    // -alpha off: the transparent index must still come out as its colour.
    const std::string command =
        "convert '" + gif.string() + "' -alpha off -depth 8 'rgb:" + rgb.string() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) return {};
    std::ifstream in(rgb, std::ios::binary);
    const std::vector<std::uint8_t> got((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::uint32_t> pixels;
    for (std::size_t i = 0; i + 2 < got.size(); i += 3)
        pixels.push_back(std::uint32_t{got[i]} << 16 | std::uint32_t{got[i + 1]} << 8 | got[i + 2]);
    return pixels;
}

// Each pixel's colour, 0xRRGGBB.
std::vector<std::uint32_t> colours_of(const IndexedImage& image)
{
    std::vector<std::uint32_t> colours;
    for (const std::uint8_t p : image.pixels) colours.push_back(image.palette[p]);
    return colours;
}

// Random pixels over many colours fill the 4096-entry code table (codes reach
// twelve bits and the table is cleared); two colours grow codes without
// filling it; odd sizes meet the interlacing passes at their edges.
TEST(GifEncoder, ShapesAndFacesDecodeToTheirColoursInBothRowOrders)
{
    if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick convert is not on PATH";
    const struct {
        int width, height, colours;  // random pixels from this many palette entries
    } shapes[] = {{1, 1, 256}, {300, 1, 256}, {1, 300, 256}, {3, 7, 256},     {5, 17, 256},
                  {4, 2, 256}, {4, 3, 256},   {85, 85, 256}, {300, 200, 256}, {128, 64, 2}};
    for (const auto& [width, height, colours] : shapes) {
        IndexedImage image = random_image(width, height, static_cast<unsigned>(width * 7919 + height), colours);
        image.transparent_index = width % 256;
        EXPECT_EQ(decoded(encode_gif(image, false)), colours_of(image)) << width << "x" << height;
        EXPECT_EQ(decoded(encode_gif(image, true)), colours_of(image)) << width << "x" << height << " interlaced";
    }
    for (const Verdict verdict : {Verdict::Good, Verdict::Okay, Verdict::Bad}) {
        const std::span<const std::uint8_t> gif = face_gif(verdict);
        EXPECT_EQ(decoded({gif.begin(), gif.end()}), colours_of(face_image(verdict)));
    }
}

TEST(GifEncoder, LongRunsCompress)
{
    IndexedImage image = random_image(400, 300, 1);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = i < 60000 ? 7 : 200;
    EXPECT_LT(encode_gif(image, false).size(), 3000u);  // a run of n costs about sqrt(2n) codes
}

TEST(GifEncoder, RefusesWhatIsNoImage)
{
    struct Bad {
        int width, height;
        std::ptrdiff_t pixel_delta;  // pixels more or fewer than width times height
        int transparent_index;
    };
    for (const Bad c : {Bad{0, 5, 0, 0}, Bad{5, -1, 0, 0}, Bad{65536, 1, 0, 0}, Bad{4, 4, -1, 0}, Bad{4, 4, 1, 0},
                        Bad{2, 2, 0, -1}, Bad{2, 2, 0, 256}}) {
        IndexedImage image{
            .width = c.width, .height = c.height, .transparent_index = c.transparent_index, .pixels = {}};
        const std::ptrdiff_t count = std::ptrdiff_t{std::max(c.width, 0)} * std::max(c.height, 0) + c.pixel_delta;
        image.pixels.assign(static_cast<std::size_t>(std::max<std::ptrdiff_t>(count, 0)), 0);
        EXPECT_THROW(encode_gif(image, false), std::invalid_argument) << c.width << "x" << c.height;
    }
}

}  // namespace
}  // namespace prestova
