#pragma once
// Saves a 32-bit top-down DIB's pixels as a 24-bit BMP file.
#include <cstdint>

bool save_bmp(const char* path, const std::uint32_t* pixels, int width, int height);
