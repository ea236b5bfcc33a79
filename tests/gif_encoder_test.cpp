#include "tools/gif_encoder.hpp"

#include "tests/gif_decoder_support.hpp"
#include "tests/temp_folder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

namespace prestova {
namespace {

using testing::DecodedGif;
using testing::GifDecoder;

IndexedImage make_image(int width, int height, int transparent_index = 0)
{
    IndexedImage image;
    image.width = width;
    image.height = height;
    image.transparent_index = transparent_index;
    for (std::size_t i = 0; i < image.palette.size(); ++i)
        image.palette[i] = static_cast<std::uint32_t>(i * 0x010203u) & 0xFFFFFFu;
    image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    return image;
}

IndexedImage random_image(int width, int height, unsigned seed, int colours = 256)
{
    IndexedImage image = make_image(width, height);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> pick(0, colours - 1);
    for (auto& p : image.pixels) p = static_cast<std::uint8_t>(pick(rng));
    return image;
}

void expect_round_trip(const IndexedImage& image, bool interlaced)
{
    const DecodedGif g = GifDecoder::decode(encode_gif(image, interlaced));
    EXPECT_EQ(g.width, image.width);
    EXPECT_EQ(g.height, image.height);
    EXPECT_EQ(g.interlaced, interlaced);
    EXPECT_EQ(g.palette, image.palette);
    EXPECT_EQ(g.transparent_index, image.transparent_index);
    EXPECT_EQ(g.pixels, image.pixels);
}

struct ShapeCase {
    const char* name;
    int width, height;
    int colours;  // random pixels from this many palette entries
};

class GifShapes : public ::testing::TestWithParam<ShapeCase> {};

// Random pixels over many colours fill the 4096-entry code table (codes reach
// twelve bits and the table is cleared); two colours grow codes without
// filling it; odd sizes meet the interlacing passes at their edges.
TEST_P(GifShapes, RandomPixelsDecodeBackExactlyBothRowOrders)
{
    const ShapeCase c = GetParam();
    IndexedImage image = random_image(c.width, c.height, static_cast<unsigned>(c.width * 7919 + c.height), c.colours);
    image.transparent_index = c.width % 256;
    expect_round_trip(image, false);
    expect_round_trip(image, true);
}

INSTANTIATE_TEST_SUITE_P(Sizes, GifShapes,
                         ::testing::Values(ShapeCase{"one_pixel", 1, 1, 256}, ShapeCase{"one_row", 300, 1, 256},
                                           ShapeCase{"one_column", 1, 300, 256}, ShapeCase{"odd", 3, 7, 256},
                                           ShapeCase{"interlace_edges", 5, 9, 256}, ShapeCase{"two_rows", 4, 2, 256},
                                           ShapeCase{"three_rows", 4, 3, 256}, ShapeCase{"face_sized", 85, 85, 256},
                                           ShapeCase{"large", 257, 131, 256}, ShapeCase{"full_table", 300, 200, 256},
                                           ShapeCase{"two_colours", 128, 64, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GifEncoder, InterlacedRowsFollowTheFourPasses)
{
    // Each row painted with its own number; reading the interlaced stream as
    // if it were straight gives the stored order 0,8,16 / 4,12 / 2,6,10,14 / 1,3,5,...
    IndexedImage image = make_image(2, 17);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 2; ++x) image.pixels[static_cast<std::size_t>(y * 2 + x)] = static_cast<std::uint8_t>(y);
    std::vector<std::uint8_t> bytes = encode_gif(image, true);
    const std::size_t descriptor_flags = 6 + 7 + 768 + 8 + 9;
    ASSERT_EQ(bytes[descriptor_flags], 0x40);
    bytes[descriptor_flags] = 0;
    const DecodedGif straight = GifDecoder::decode(bytes);
    std::vector<int> order;
    for (int row = 0; row < 17; ++row) order.push_back(straight.pixels[static_cast<std::size_t>(row * 2)]);
    EXPECT_EQ(order, (std::vector<int>{0, 8, 16, 4, 12, 2, 6, 10, 14, 1, 3, 5, 7, 9, 11, 13, 15}));
}

TEST(GifEncoder, LongRunsCompress)
{
    IndexedImage image = make_image(400, 300);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = i < 60000 ? 7 : 200;
    EXPECT_LT(encode_gif(image, false).size(), 3000u);  // a run of n costs about sqrt(2n) codes
    expect_round_trip(image, false);
}

struct BadImageCase {
    const char* name;
    int width, height;
    std::ptrdiff_t pixel_delta;
    int transparent_index;
};

class GifBadInput : public ::testing::TestWithParam<BadImageCase> {};

TEST_P(GifBadInput, IsRejectedWithAClearError)
{
    const BadImageCase c = GetParam();
    IndexedImage image;
    image.width = c.width;
    image.height = c.height;
    image.transparent_index = c.transparent_index;
    const std::ptrdiff_t count = std::ptrdiff_t{std::max(c.width, 0)} * std::max(c.height, 0) + c.pixel_delta;
    image.pixels.assign(static_cast<std::size_t>(std::max<std::ptrdiff_t>(count, 0)), 0);
    EXPECT_THROW(encode_gif(image, false), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GifBadInput,
    ::testing::Values(BadImageCase{"zero_width", 0, 5, 0, 0}, BadImageCase{"negative_height", 5, -1, 0, 0},
                      BadImageCase{"too_wide", 65536, 1, 0, 0}, BadImageCase{"pixels_short", 4, 4, -1, 0},
                      BadImageCase{"pixels_long", 4, 4, 1, 0}, BadImageCase{"transparent_negative", 2, 2, 0, -1},
                      BadImageCase{"transparent_too_big", 2, 2, 0, 256}),
    [](const auto& info) { return std::string(info.param.name); });

// An independent reader: ImageMagick must decode our LZW to the same colours.
bool have_tool(const char* name)
{
    const std::string probe = std::string("command -v ") + name + " >/dev/null 2>&1";
    return std::system(probe.c_str()) == 0;
}

TEST(GifEncoder, ImageMagickDecodesTheSameColours)
{
    if (!have_tool("convert")) GTEST_SKIP() << "ImageMagick convert is not on PATH";
    const IndexedImage image = random_image(120, 90, 77);
    const prestova::testing::TempFolder folder;
    const std::vector<std::uint8_t> bytes = encode_gif(image, true);
    const auto gif = folder.write("random.gif", {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    const auto rgb = folder.file("random.rgb");
    // -alpha off: the transparent index must still come out as its colour.
    const std::string command =
        "convert '" + gif.string() + "' -alpha off -depth 8 'rgb:" + rgb.string() + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(rgb, std::ios::binary);
    std::vector<std::uint8_t> got((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(got.size(), image.pixels.size() * 3);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const std::uint32_t c = image.palette[image.pixels[i]];
        const std::uint32_t seen =
            std::uint32_t{got[i * 3]} << 16 | std::uint32_t{got[i * 3 + 1]} << 8 | got[i * 3 + 2];
        ASSERT_EQ(seen, c) << "pixel " << i;
    }
}

}  // namespace
}  // namespace prestova
