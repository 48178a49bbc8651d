#pragma once

#include <cstddef>

class PixelImage;

// The platform's own image decoder: the fallback for an image libpng cannot read. False (and
// `out` untouched) where it cannot read it either, or where the platform has none.
bool decodeWithPlatform(const unsigned char* data, std::size_t size, PixelImage& out);
