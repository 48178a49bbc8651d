#include "PixelBlend.h"

#include "PixelImage.h"

namespace
{
uint32_t multiply(uint32_t x, uint32_t y)
{
    const uint32_t t = x * y + 128;
    return (t + (t >> 8)) >> 8;
}

// Each channel of a premultiplied pixel scaled by a / 255.
uint32_t scale(uint32_t pixel, uint32_t a)
{
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8)
        result |= multiply((pixel >> shift) & 0xff, a) << shift;
    return result;
}

// One channel of a solid colour: premultiplied in floating point, rounded to 16 bits, and
// the high byte of that kept.
uint32_t premultipliedChannel(uint8_t channel, uint8_t alpha)
{
    const double value = (channel / 255.0) * (alpha / 255.0);
    return static_cast<uint32_t>(value * 65535.0 + 0.5) >> 8;
}

uint32_t over(uint32_t source, uint32_t destination)
{
    const uint32_t inverse = 255 - (source >> 24);
    // Premultiplied channels never exceed their alpha, so the sums stay within a byte.
    return source + scale(destination, inverse);
}
} // namespace

CRect imageCoverage(const PixelImage& image, const CRect& dest, const CPoint& srcOrigin)
{
    CRect covered(dest.left - srcOrigin.h, dest.top - srcOrigin.v,
                  dest.left - srcOrigin.h + image.getWidth(),
                  dest.top - srcOrigin.v + image.getHeight());
    return covered.bound(dest);
}

void blendImageOver(PixelImage& target, const CRect& clip, const PixelImage& image,
                    const CRect& dest, const CPoint& srcOrigin, uint8_t alpha)
{
    if (alpha == 0 || image.isEmpty() || target.isEmpty()) return;
    // Where image pixel (0, 0) lands.
    const int32_t originX = dest.left - srcOrigin.h;
    const int32_t originY = dest.top - srcOrigin.v;
    CRect area = imageCoverage(image, dest, srcOrigin);
    area.bound(clip);
    area.bound(CRect(0, 0, target.getWidth(), target.getHeight()));
    if (area.isEmpty()) return;
    for (int32_t y = area.top; y < area.bottom; ++y)
    {
        const uint32_t* from =
            image.data() + static_cast<std::size_t>(y - originY) * image.getWidth();
        uint32_t* to = target.data() + static_cast<std::size_t>(y) * target.getWidth();
        for (int32_t x = area.left; x < area.right; ++x)
        {
            uint32_t source = from[x - originX];
            if (alpha != 255) source = scale(source, alpha);
            if (source == 0) continue;
            to[x] = (source >> 24) == 255 ? source : over(source, to[x]);
        }
    }
}

void blendColorOver(PixelImage& target, const CRect& clip, const CRect& rect, CColor color)
{
    if (color.alpha == 0 || target.isEmpty()) return;
    const uint32_t source = (premultipliedChannel(255, color.alpha) << 24) |
                            (premultipliedChannel(color.red, color.alpha) << 16) |
                            (premultipliedChannel(color.green, color.alpha) << 8) |
                            premultipliedChannel(color.blue, color.alpha);
    CRect area = rect;
    area.bound(clip);
    area.bound(CRect(0, 0, target.getWidth(), target.getHeight()));
    if (area.isEmpty()) return;
    for (int32_t y = area.top; y < area.bottom; ++y)
    {
        uint32_t* row = target.data() + static_cast<std::size_t>(y) * target.getWidth();
        for (int32_t x = area.left; x < area.right; ++x)
            row[x] = over(source, row[x]);
    }
}
