#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

// A cairo image surface (32-bit, premultiplied alpha) with its drawing context. Everything the
// artwork program paints goes through one of these; PNGs come out as 8-bit RGBA.
// Painters draw in the image's own pixel units (width() x height()); a canvas with a scale
// above 1 holds scale times as many pixels per axis, so the same geometry comes out sharper.
class Canvas
{
  public:
    Canvas(int width, int height, int scale = 1);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return context; }
    cairo_surface_t* surface() const { return image; }
    int width() const { return w; }
    int height() const { return h; }
    int scale() const { return pixelScale; }
    int pixelWidth() const { return w * pixelScale; }
    int pixelHeight() const { return h * pixelScale; }

    // Direct pixel access (premultiplied ARGB), rows of pixelWidth() pixels. Call flush() before
    // and markDirty() after.
    std::uint32_t* row(int y);
    void flush();
    void markDirty();

    // Copies a region of another canvas into this one at (x, y), replacing what is there.
    void copyFrom(const Canvas& source, int sourceX, int sourceY, int width, int height, int x,
                  int y);
    // Draws another canvas over this one at (x, y) with alpha blending.
    void paintOver(const Canvas& source, int sourceX, int sourceY, int width, int height, int x,
                   int y);

    bool writePng(const std::string& path) const;

  private:
    int w;
    int h;
    int pixelScale;
    cairo_surface_t* image;
    cairo_t* context;
};
