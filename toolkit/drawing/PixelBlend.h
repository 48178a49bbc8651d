#pragma once

#include "CColor.h"
#include "CPoint.h"
#include "CRect.h"

#include <cstdint>

class PixelImage;

// Porter-Duff "over" of premultiplied 8-bit pixels, rounded exactly as cairo (pixman) rounds:
// every product x * y / 255 is taken as (t + (t >> 8)) >> 8 with t = x * y + 128. Back ends
// whose own compositing rounds differently draw images through this, so an image lands on the
// same pixels on every platform.
//
// The part of dest that the image covers when image pixel srcOrigin lands on dest's corner.
CRect imageCoverage(const PixelImage& image, const CRect& dest, const CPoint& srcOrigin);

// Blends the part of `image` that starts at srcOrigin into `dest` of `target`, within `clip`,
// at the given overall opacity.
void blendImageOver(PixelImage& target, const CRect& clip, const PixelImage& image,
                    const CRect& dest, const CPoint& srcOrigin, uint8_t alpha);

// Blends `color` over the pixels of `rect` within `clip`. The colour is premultiplied the way
// cairo premultiplies solid colours (through 16 bits per channel), so translucent fills match
// cairo's to the last bit.
void blendColorOver(PixelImage& target, const CRect& clip, const CRect& rect, CColor color);
