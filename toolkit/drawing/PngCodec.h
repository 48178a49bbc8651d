#pragma once

#include <cstddef>
#include <cstdint>

class PixelImage;

// PNG in memory to premultiplied pixels; false (and `out` untouched) for data that is
// missing, damaged or of an absurd size.
bool decodePng(const unsigned char* data, std::size_t size, PixelImage& out);
// The width and height a PNG in memory declares, read from its header without decoding a
// pixel; false (and the sizes untouched) where decodePng() would refuse the header.
bool readPngSize(const unsigned char* data, std::size_t size, int32_t& width, int32_t& height);
// Writes the image as an 8-bit RGBA PNG file.
bool encodePng(const PixelImage& image, const char* path);
