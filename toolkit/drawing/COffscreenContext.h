#pragma once

#include "CDrawContext.h"

#include <memory>

// A drawing context over its own 32-bit bitmap with alpha, cleared to a background colour.
class COffscreenContext : public CDrawContext
{
  public:
    COffscreenContext(CFrame* frame, int32_t width, int32_t height,
                      const CColor background = kBlackCColor);
    // A bitmap for the rectangle `place` of the frame, at the frame's device scale: its device
    // pixels are exactly those `place` covers in the frame's window, so a copy into `place`
    // lands pixel for pixel. At scale 1 the same as the width x height bitmap above.
    COffscreenContext(CFrame* frame, const CRect& place, const CColor background = kBlackCColor);
    ~COffscreenContext() override;

    // Copies the bitmap, from `srcOffset` on, into `dest` at `destRect` (a copy: the target's
    // pixels there are replaced, within the target's clip).
    void copyFrom(CDrawContext* dest, CRect destRect, CPoint srcOffset = CPoint(0, 0));

    // The bitmap's size in device pixels.
    int32_t getWidth() const;
    int32_t getHeight() const;
    // The colour of one device pixel, un-premultiplied; transparent black outside the bitmap.
    CColor getPixel(int32_t x, int32_t y) const;
    // Saves the bitmap as an RGBA PNG file.
    bool writePng(const char* path) const;

  private:
    explicit COffscreenContext(CFrame* frame, std::unique_ptr<PixelImage> image);
    static std::unique_ptr<PixelImage> deviceImage(CFrame* frame, const CRect& place,
                                                   CColor background);

    std::unique_ptr<PixelImage> image;
};
