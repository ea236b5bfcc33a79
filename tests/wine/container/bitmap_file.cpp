#include "bitmap_file.hpp"

#include <windows.h>

#include <fstream>
#include <vector>

bool save_bmp(const char* path, const std::uint32_t* pixels, int width, int height)
{
    const int row = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(row * height);
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;  // bottom-up rows in the file
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    std::ofstream out(path, std::ios::binary);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    std::vector<char> line(static_cast<std::size_t>(row), 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[y * width + x];
            line[static_cast<std::size_t>(x * 3)] = static_cast<char>(p & 0xFF);
            line[static_cast<std::size_t>(x * 3 + 1)] = static_cast<char>((p >> 8) & 0xFF);
            line[static_cast<std::size_t>(x * 3 + 2)] = static_cast<char>((p >> 16) & 0xFF);
        }
        out.write(line.data(), row);
    }
    return static_cast<bool>(out);
}
