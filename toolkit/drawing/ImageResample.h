#pragma once

#include "CRect.h"
#include "PixelImage.h"

#include <cstdint>

// Stretches the part `source` of `image` onto a destWidth x destHeight grid and returns the
// pixels `part` of that grid (a rectangle within 0..destWidth x 0..destHeight). Each grid pixel
// is the area-weighted mean of the premultiplied source pixels it covers: a box filter that
// neither rings nor blurs beyond one pixel, right for the reductions between 2x art and a
// screen of 1 to 2 device pixels per logical pixel. Pixels beyond `source` are never read.
PixelImage resampleArea(const PixelImage& image, const CRect& source, int32_t destWidth,
                        int32_t destHeight, const CRect& part);
