#include "pictures/gif_encoder.hpp"

#include "tests/gif_decoder_support.hpp"

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

DecodedGif round_trip(const IndexedImage& image, bool interlaced)
{
    const DecodedGif g = GifDecoder::decode(encode_gif(image, interlaced));
    EXPECT_EQ(g.width, image.width);
    EXPECT_EQ(g.height, image.height);
    EXPECT_EQ(g.interlaced, interlaced);
    EXPECT_TRUE(g.ended_with_end_code);
    EXPECT_EQ(g.pixels, image.pixels);
    for (std::size_t size : g.sub_block_sizes) EXPECT_LE(size, 255u);
    return g;
}

struct ShapeCase {
    const char* name;
    int width, height;
};

class GifShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(GifShapes, RandomPixelsDecodeBackExactlyBothRowOrders)
{
    const ShapeCase c = GetParam();
    const IndexedImage image = random_image(c.width, c.height, static_cast<unsigned>(c.width * 7919 + c.height));
    round_trip(image, false);
    round_trip(image, true);
}

INSTANTIATE_TEST_SUITE_P(Sizes, GifShapes,
                         ::testing::Values(ShapeCase{"one_pixel", 1, 1}, ShapeCase{"one_row", 300, 1},
                                           ShapeCase{"one_column", 1, 300}, ShapeCase{"odd", 3, 7},
                                           ShapeCase{"interlace_edges", 5, 9}, ShapeCase{"two_rows", 4, 2},
                                           ShapeCase{"three_rows", 4, 3}, ShapeCase{"face_sized", 85, 85},
                                           ShapeCase{"large", 257, 131}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GifEncoder, InterlacedRowsFollowTheFourPasses)
{
    // Each row painted with its own number: the stored order must be
    // 0,8,16 / 4,12 / 2,6,10,14 / 1,3,5,... which the decoder undoes.
    IndexedImage image = make_image(2, 17);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 2; ++x) image.pixels[static_cast<std::size_t>(y * 2 + x)] = static_cast<std::uint8_t>(y);
    round_trip(image, true);

    // Reading the interlaced stream as if it were straight gives the pass order.
    std::vector<std::uint8_t> bytes = encode_gif(image, true);
    const std::size_t descriptor_flags = 6 + 7 + 768 + 8 + 9;
    ASSERT_EQ(bytes[descriptor_flags], 0x40);
    bytes[descriptor_flags] = 0;
    const DecodedGif straight = GifDecoder::decode(bytes);
    std::vector<int> order;
    for (int row = 0; row < 17; ++row) order.push_back(straight.pixels[static_cast<std::size_t>(row * 2)]);
    EXPECT_EQ(order, (std::vector<int>{0, 8, 16, 4, 12, 2, 6, 10, 14, 1, 3, 5, 7, 9, 11, 13, 15}));
}

TEST(GifEncoder, LongRunsCompressAndDecode)
{
    IndexedImage image = make_image(400, 300);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = i < 60000 ? 7 : 200;
    const std::vector<std::uint8_t> bytes = encode_gif(image, false);
    EXPECT_LT(bytes.size(), 3000u);  // a run of n costs about sqrt(2n) codes
    const DecodedGif g = round_trip(image, false);
    EXPECT_EQ(g.clear_codes, 1);
    EXPECT_GE(g.widest_code, 9);
}

TEST(GifEncoder, FullCodeTableIsClearedAndCodesGrowToTwelveBits)
{
    const IndexedImage image = random_image(300, 200, 42);
    const DecodedGif g = round_trip(image, false);
    EXPECT_EQ(g.widest_code, 12);
    // 60000 random pixels need far more than 3838 new entries.
    EXPECT_GE(g.clear_codes, 3);
    EXPECT_EQ(g.min_code_size, 8);
}

TEST(GifEncoder, FewColoursGrowCodesWithoutFillingTheTable)
{
    const IndexedImage image = random_image(128, 64, 5, 2);
    const DecodedGif g = round_trip(image, true);
    EXPECT_EQ(g.clear_codes, 1);
    EXPECT_GE(g.widest_code, 10);
    EXPECT_LT(g.widest_code, 12);
}

TEST(GifEncoder, HeaderCarriesScreenTableAndTransparency)
{
    IndexedImage image = make_image(85, 85, 17);
    image.palette[17] = 0x123456;
    image.palette[255] = 0xABCDEF;
    const std::vector<std::uint8_t> bytes = encode_gif(image, true);
    ASSERT_GT(bytes.size(), 820u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
    EXPECT_EQ(bytes[6] | bytes[7] << 8, 85);
    EXPECT_EQ(bytes[8] | bytes[9] << 8, 85);
    EXPECT_EQ(bytes[10], 0xF7);  // global table, 256 entries
    // Palette bytes are red, green, blue.
    EXPECT_EQ(bytes[13 + 17 * 3], 0x12);
    EXPECT_EQ(bytes[13 + 17 * 3 + 1], 0x34);
    EXPECT_EQ(bytes[13 + 17 * 3 + 2], 0x56);
    EXPECT_EQ(bytes[13 + 255 * 3], 0xAB);
    EXPECT_EQ(bytes.back(), 0x3B);

    const DecodedGif g = GifDecoder::decode(bytes);
    EXPECT_TRUE(g.global_table);
    EXPECT_EQ(g.global_table_size, 256);
    EXPECT_EQ(g.palette, image.palette);
    EXPECT_TRUE(g.has_control_extension);
    EXPECT_TRUE(g.transparency);
    EXPECT_EQ(g.transparent_index, 17);
    EXPECT_FALSE(g.local_table);
    EXPECT_EQ(g.left, 0);
    EXPECT_EQ(g.top, 0);
    EXPECT_EQ(g.screen_width, 85);
    EXPECT_EQ(g.screen_height, 85);
}

TEST(GifEncoder, SubBlocksAreFullExceptTheLast)
{
    const DecodedGif g = GifDecoder::decode(encode_gif(random_image(100, 100, 9), false));
    ASSERT_GT(g.sub_block_sizes.size(), 2u);
    for (std::size_t i = 0; i + 1 < g.sub_block_sizes.size(); ++i) EXPECT_EQ(g.sub_block_sizes[i], 255u);
    EXPECT_GE(g.sub_block_sizes.back(), 1u);
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

INSTANTIATE_TEST_SUITE_P(Cases, GifBadInput,
                         ::testing::Values(BadImageCase{"zero_width", 0, 5, 0, 0},
                                           BadImageCase{"negative_height", 5, -1, 0, 0},
                                           BadImageCase{"too_wide", 65536, 1, 0, 0},
                                           BadImageCase{"pixels_short", 4, 4, -1, 0},
                                           BadImageCase{"pixels_long", 4, 4, 1, 0},
                                           BadImageCase{"transparent_negative", 2, 2, 0, -1},
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
    const auto dir = std::filesystem::temp_directory_path() / ("gif_encoder_test_" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(dir);
    const auto gif = dir / "random.gif";
    const auto rgb = dir / "random.rgb";
    {
        const std::vector<std::uint8_t> bytes = encode_gif(image, true);
        std::ofstream(gif, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                   static_cast<std::streamsize>(bytes.size()));
    }
    // -alpha off: the transparent index must still come out as its colour.
    const std::string command = "convert '" + gif.string() + "' -alpha off -depth 8 'rgb:" + rgb.string() + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(rgb, std::ios::binary);
    std::vector<std::uint8_t> got((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove_all(dir);
    ASSERT_EQ(got.size(), image.pixels.size() * 3);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const std::uint32_t c = image.palette[image.pixels[i]];
        const std::uint32_t seen = std::uint32_t{got[i * 3]} << 16 | std::uint32_t{got[i * 3 + 1]} << 8 | got[i * 3 + 2];
        ASSERT_EQ(seen, c) << "pixel " << i;
    }
}

} // namespace
} // namespace prestova
