#include "pictures/face_pictures.hpp"

#include "tests/temp_folder.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

namespace prestova {
namespace {

constexpr Verdict kAll[] = {Verdict::Good, Verdict::Okay, Verdict::Bad};
constexpr std::uint32_t kBlack = 0x000000;

std::uint32_t colour_at(const IndexedImage& image, int x, int y)
{
    return image.palette[image.pixels.at(static_cast<std::size_t>(y * image.width + x))];
}
bool transparent_at(const IndexedImage& image, int x, int y)
{
    return image.pixels.at(static_cast<std::size_t>(y * image.width + x)) == image.transparent_index;
}
bool yellow(std::uint32_t c)
{
    const int r = c >> 16 & 0xFF, g = c >> 8 & 0xFF, b = c & 0xFF;
    return r > 200 && g > 170 && b < 120;
}
bool dark(std::uint32_t c) { return ((c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF)) < 200; }

// Middle of the dark mouth stroke in a column, searched below the eyes.
double mouth_row(const IndexedImage& image, int x)
{
    double sum = 0;
    int count = 0;
    for (int y = 50; y < 75; ++y)
        if (!transparent_at(image, x, y) && dark(colour_at(image, x, y))) {
            sum += y;
            ++count;
        }
    EXPECT_GT(count, 0) << "no mouth in column " << x;
    return count ? sum / count : 0;
}

class FacePictures : public ::testing::TestWithParam<Verdict> {};

TEST_P(FacePictures, IsAnEightyFiveSquareYellowFaceWithTwoBlackEyesOnTransparency)
{
    const IndexedImage& face = face_image(GetParam());
    EXPECT_EQ(face.width, kFaceSize);
    EXPECT_EQ(face.height, kFaceSize);
    ASSERT_EQ(face.pixels.size(), static_cast<std::size_t>(kFaceSize * kFaceSize));
    for (auto [x, y] : {std::pair{0, 0}, std::pair{84, 0}, std::pair{0, 84}, std::pair{84, 84}, std::pair{8, 8}})
        EXPECT_TRUE(transparent_at(face, x, y)) << x << "," << y;
    // The circle reaches (nearly) the edges in the middle of each side.
    for (auto [x, y] : {std::pair{42, 2}, std::pair{2, 42}, std::pair{82, 42}, std::pair{42, 82}})
        EXPECT_FALSE(transparent_at(face, x, y)) << x << "," << y;
    EXPECT_TRUE(yellow(colour_at(face, 42, 42)));
    EXPECT_TRUE(yellow(colour_at(face, 42, 30)));  // between the eyes
    EXPECT_EQ(colour_at(face, 29, 30), kBlack);
    EXPECT_EQ(colour_at(face, 55, 30), kBlack);
}

TEST_P(FacePictures, IsSymmetricLeftToRight)
{
    const IndexedImage& face = face_image(GetParam());
    for (int y = 0; y < kFaceSize; ++y)
        for (int x = 0; x < kFaceSize / 2; ++x)
            ASSERT_EQ(face.pixels[static_cast<std::size_t>(y * kFaceSize + x)],
                      face.pixels[static_cast<std::size_t>(y * kFaceSize + kFaceSize - 1 - x)])
                << "at " << x << "," << y;
}

// Ordinary image tools must open the pictures as they are handed out.
TEST_P(FacePictures, ImageMagickReadsItAsAnEightyFiveSquareGif)
{
    if (std::system("command -v identify >/dev/null 2>&1") != 0) GTEST_SKIP() << "identify is not on PATH";
    const prestova::testing::TempFolder folder;
    const std::span<const std::uint8_t> bytes = face_gif(GetParam());
    const auto path = folder.write("face.gif", {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    const std::string command = "identify '" + path.string() + "' 2>&1";
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
        EXPECT_EQ(::pclose(pipe), 0) << output;
    }
    EXPECT_NE(output.find("GIF 85x85"), std::string::npos) << output;
}

INSTANTIATE_TEST_SUITE_P(Verdicts, FacePictures, ::testing::ValuesIn(kAll), [](const auto& info) {
    switch (info.param) {
    case Verdict::Good: return std::string("Good");
    case Verdict::Okay: return std::string("Okay");
    case Verdict::Bad: return std::string("Bad");
    }
    return std::string("Unknown");
});

TEST(FacePictureMouths, SmileCurvesUpOkayIsLevelFrownCurvesDown)
{
    // Image rows grow downwards: a smile's middle sits below its corners.
    const auto sag = [](Verdict v) {
        const IndexedImage& face = face_image(v);
        return mouth_row(face, 42) - mouth_row(face, 42 - 16);
    };
    EXPECT_GT(sag(Verdict::Good), 3.0);
    EXPECT_NEAR(sag(Verdict::Okay), 0.0, 0.5);
    EXPECT_LT(sag(Verdict::Bad), -3.0);
}

TEST(FacePictureMouths, FacesDifferOnlyAroundTheMouth)
{
    for (std::size_t a = 0; a < 3; ++a)
        for (std::size_t b = a + 1; b < 3; ++b) {
            const IndexedImage& first = face_image(kAll[a]);
            const IndexedImage& second = face_image(kAll[b]);
            int mouth_differences = 0;
            for (int y = 0; y < kFaceSize; ++y)
                for (int x = 0; x < kFaceSize; ++x) {
                    const bool differ = first.pixels[static_cast<std::size_t>(y * kFaceSize + x)] !=
                                        second.pixels[static_cast<std::size_t>(y * kFaceSize + x)];
                    const bool in_mouth_area = y >= 50 && y < 72 && x >= 18 && x <= 66;
                    if (differ) {
                        EXPECT_TRUE(in_mouth_area) << "faces " << a << " and " << b << " differ at " << x << "," << y;
                        ++mouth_differences;
                    }
                }
            EXPECT_GT(mouth_differences, 40) << "faces " << a << " and " << b;
        }
}

}  // namespace
}  // namespace prestova
