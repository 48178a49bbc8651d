#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

// A cairo image surface (32-bit, premultiplied alpha) with its drawing context. Everything the
// artwork program paints goes through one of these; PNGs come out as 8-bit RGBA.
class Canvas
{
  public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return context; }
    cairo_surface_t* surface() const { return image; }
    int width() const { return w; }
    int height() const { return h; }

    // Direct pixel access (premultiplied ARGB). Call flush() before and markDirty() after.
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
    cairo_surface_t* image;
    cairo_t* context;
};
