#pragma once

#include "CColor.h"

#include <cstdint>
#include <vector>

// Premultiplied 32-bit pixels with alpha in the top byte, rows packed without padding: the
// layout both cairo (ARGB32) and GDI+ (PARGB32) draw on.
class PixelImage
{
  public:
    PixelImage() = default;
    // A width x height image cleared to `fill`; absurd sizes give an empty image.
    PixelImage(int32_t width, int32_t height, CColor fill = {0, 0, 0, 0});

    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }
    bool isEmpty() const { return width <= 0 || height <= 0; }
    uint32_t* data() { return pixels.data(); }
    const uint32_t* data() const { return pixels.data(); }
    uint32_t pixel(int32_t x, int32_t y) const;
    // Un-premultiplied colour of one pixel; transparent black outside.
    CColor colorAt(int32_t x, int32_t y) const;

    static uint32_t premultiply(CColor c);
    static CColor unpremultiply(uint32_t pixel);
    // Largest edge accepted, far beyond any window or film strip.
    static constexpr int32_t kMaxEdge = 32768;

  private:
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
};
