#pragma once

#include "Canvas.h"

#include <cairo.h>

// Canvas on a cairo image surface (ARGB32) that shares the PixelImage's memory.
class CairoCanvas : public Canvas
{
  public:
    explicit CairoCanvas(PixelImage& target);
    ~CairoCanvas() override;
    CairoCanvas(const CairoCanvas&) = delete;
    CairoCanvas& operator=(const CairoCanvas&) = delete;

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
    void setSourceColor(CColor color);
    void applyFont(bool antialias);
    // Recreates the cairo context if an error has made it unusable.
    void recover();

    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    CRect clip;
    cairo_font_face_t* face = nullptr;
    double fontSize = 12;
};
