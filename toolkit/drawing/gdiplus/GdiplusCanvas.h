#pragma once

#include "Canvas.h"

#include <memory>

namespace Gdiplus
{
class Bitmap;
class Graphics;
class Font;
} // namespace Gdiplus

// Canvas on a GDI+ bitmap (PARGB32) that shares the PixelImage's memory. Rectangles, straight
// lines and copies land on whole pixels exactly as with cairo, images are blended with cairo's
// rounding (PixelBlend.h), and text goes through GDI+'s own grid-fitted anti-aliasing.
class GdiplusCanvas : public Canvas
{
  public:
    explicit GdiplusCanvas(PixelImage& target);
    ~GdiplusCanvas() override;
    GdiplusCanvas(const GdiplusCanvas&) = delete;
    GdiplusCanvas& operator=(const GdiplusCanvas&) = delete;

    void setClip(const CRect& clip) override;
    void fillRect(const CRect& rect, CColor color) override;
    void drawLine(const CPoint& from, const CPoint& to, CColor color, int32_t width) override;
    void selectFont(const char* family, double size, int32_t style) override;
    FontMetrics fontMetrics() override;
    double textWidth(const char* utf8) override;
    void drawText(const char* utf8, double x, double baseline, CColor color,
                  bool antialias) override;
    void drawImage(const PixelImage& image, const CRect& dest, const CPoint& srcOrigin,
                   uint8_t alpha) override;
    void copyImage(const PixelImage& image, const CRect& dest, const CPoint& srcOrigin) override;

  private:
    bool usable() const { return graphics != nullptr; }
    // Replaces dest's pixels through GDI+.
    void blit(const PixelImage& image, const CRect& dest, const CPoint& srcOrigin);

    DrawingBackendLease lease;
    PixelImage& target;
    CRect clip;
    std::unique_ptr<Gdiplus::Bitmap> surface;
    std::unique_ptr<Gdiplus::Graphics> graphics;
    std::unique_ptr<Gdiplus::Font> font;
    int32_t fontStyle = 0;
};
