#include "tools/face_picture_source.hpp"

#include "tools/face_drawing.hpp"
#include "tools/gif_encoder.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace prestova {

namespace {

struct NamedFace {
    Verdict verdict;
    std::string_view name;  // the arrays' name stem
};

constexpr std::array<NamedFace, 3> kFaces{{
    {.verdict = Verdict::Good, .name = "Good"},
    {.verdict = Verdict::Okay, .name = "Okay"},
    {.verdict = Verdict::Bad, .name = "Bad"},
}};

std::string formatted(const char* format, unsigned value)
{
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), format, value);
    return buffer.data();
}

// One image row a line, right-aligned, so the file shows the face's shape.
void write_pixels(std::string& out, std::string_view name, const IndexedImage& image)
{
    out.append("constexpr std::uint8_t k").append(name).append("Pixels[] = {\n");
    const auto width = static_cast<std::size_t>(image.width);
    for (std::size_t row = 0; row < image.pixels.size(); row += width) {
        out.append("   ");
        for (std::size_t x = 0; x < width; ++x) out.append(formatted("%2u,", image.pixels[row + x]));
        out.append("\n");
    }
    out.append("};\n\n");
}

void write_bytes(std::string& out, std::string_view name, const std::vector<std::uint8_t>& bytes)
{
    constexpr std::size_t kPerLine = 16;
    out.append("constexpr std::uint8_t k").append(name).append("Gif[] = {\n");
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out.append(i % kPerLine == 0 ? "   " : "").append(formatted(" 0x%02X,", bytes[i]));
        if (i % kPerLine == kPerLine - 1 || i + 1 == bytes.size()) out.append("\n");
    }
    out.append("};\n\n");
}

void write_palette(std::string& out, const std::array<std::uint32_t, 256>& palette)
{
    constexpr std::size_t kPerLine = 8;
    out.append("    .palette = {{\n");
    for (std::size_t i = 0; i < palette.size(); ++i) {
        out.append(i % kPerLine == 0 ? "       " : "").append(formatted(" 0x%06X,", palette[i]));
        if (i % kPerLine == kPerLine - 1) out.append("\n");
    }
    out.append("    }},\n");
}

}  // namespace

std::string embedded_face_pictures_source()
{
    std::vector<IndexedImage> images;
    for (const NamedFace& face : kFaces) images.push_back(draw_face(face.verdict));
    for (const IndexedImage& image : images) {
        if (image.width != kFaceSize || image.height != kFaceSize)
            throw std::logic_error("a face is not drawn kFaceSize square");
        if (image.palette != images.front().palette || image.transparent_index != images.front().transparent_index)
            throw std::logic_error("the faces are drawn with different palettes");
    }

    std::string out = "// Written by prestova_face_pictures (tools/write_face_pictures.cpp) from\n"
                      "// tools/face_drawing.cpp and tools/gif_encoder.cpp; do not edit. After\n"
                      "// changing either, rewrite it with the build target face_pictures.\n"
                      "#include \"pictures/embedded_face_pictures.hpp\"\n"
                      "\n"
                      "namespace prestova {\n"
                      "\n"
                      "namespace {\n"
                      "\n";
    for (std::size_t i = 0; i < kFaces.size(); ++i) {
        write_pixels(out, kFaces[i].name, images[i]);
        write_bytes(out, kFaces[i].name, encode_gif(images[i], true));
    }
    out.append("} // namespace\n\nconstinit const EmbeddedFacePictures kEmbeddedFacePictures{\n");
    write_palette(out, images.front().palette);
    out.append("    .transparent_index = ").append(std::to_string(images.front().transparent_index)).append(",\n");
    out.append("    .faces = {{\n");
    for (const NamedFace& face : kFaces) {
        const std::string name(face.name);
        out.append("        {.pixels = k").append(name).append("Pixels, .gif = k").append(name).append("Gif},\n");
    }
    out.append("    }},\n};\n\n} // namespace prestova\n");
    return out;
}

}  // namespace prestova
