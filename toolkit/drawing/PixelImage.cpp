#include "PixelImage.h"

#include <algorithm>

namespace
{
// 8-bit multiply with rounding: c * a / 255.
uint32_t scale255(uint32_t c, uint32_t a)
{
    return (c * a + 127) / 255;
}
} // namespace

PixelImage::PixelImage(int32_t w, int32_t h, CColor fill)
{
    if (w <= 0 || h <= 0 || w > kMaxEdge || h > kMaxEdge) return;
    width = w;
    height = h;
    pixels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), premultiply(fill));
}

uint32_t PixelImage::pixel(int32_t x, int32_t y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    return pixels[static_cast<std::size_t>(y) * width + x];
}

CColor PixelImage::colorAt(int32_t x, int32_t y) const
{
    return unpremultiply(pixel(x, y));
}

uint32_t PixelImage::premultiply(CColor c)
{
    const uint32_t a = c.alpha;
    return (a << 24) | (scale255(c.red, a) << 16) | (scale255(c.green, a) << 8) |
           scale255(c.blue, a);
}

CColor PixelImage::unpremultiply(uint32_t p)
{
    const uint32_t a = p >> 24;
    if (a == 0) return CColor{0, 0, 0, 0};
    auto channel = [a](uint32_t c)
    { return static_cast<uint8_t>(std::min<uint32_t>(255, (c * 255 + a / 2) / a)); };
    return CColor{channel((p >> 16) & 0xff), channel((p >> 8) & 0xff), channel(p & 0xff),
                  static_cast<uint8_t>(a)};
}
