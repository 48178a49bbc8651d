#pragma once

#include <cstddef>

class PixelImage;

// PNG in memory to premultiplied pixels; false (and `out` untouched) for data that is
// missing, damaged or of an absurd size.
bool decodePng(const unsigned char* data, std::size_t size, PixelImage& out);
// Writes the image as an 8-bit RGBA PNG file.
bool encodePng(const PixelImage& image, const char* path);
