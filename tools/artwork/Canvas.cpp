#include "Canvas.h"

#include "Draw.h"

#include <png.h>

#include <vector>

namespace
{
cairo_surface_t* makeSurface(int width, int height, int scale)
{
    cairo_surface_t* s =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * scale, height * scale);
    // Every path, gradient, glyph and copied canvas then lands at the larger pixel size.
    if (scale != 1) cairo_surface_set_device_scale(s, scale, scale);
    return s;
}
} // namespace

Canvas::Canvas(int width, int height, int scale)
    : w(width), h(height), pixelScale(scale), image(makeSurface(width, height, scale)),
      context(cairo_create(image))
{
    draw::setFontOptions(context);
}

Canvas::~Canvas()
{
    cairo_destroy(context);
    cairo_surface_destroy(image);
}

std::uint32_t* Canvas::row(int y)
{
    unsigned char* base = cairo_image_surface_get_data(image);
    return reinterpret_cast<std::uint32_t*>(base + y * cairo_image_surface_get_stride(image));
}

void Canvas::flush()
{
    cairo_surface_flush(image);
}

void Canvas::markDirty()
{
    cairo_surface_mark_dirty(image);
}

void Canvas::copyFrom(const Canvas& source, int sourceX, int sourceY, int width, int height, int x,
                      int y)
{
    cairo_save(context);
    cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
    cairo_rectangle(context, x, y, width, height);
    cairo_clip(context);
    cairo_set_source_surface(context, source.image, x - sourceX, y - sourceY);
    cairo_paint(context);
    cairo_restore(context);
}

void Canvas::paintOver(const Canvas& source, int sourceX, int sourceY, int width, int height, int x,
                       int y)
{
    cairo_save(context);
    cairo_rectangle(context, x, y, width, height);
    cairo_clip(context);
    cairo_set_source_surface(context, source.image, x - sourceX, y - sourceY);
    cairo_paint(context);
    cairo_restore(context);
}

bool Canvas::writePng(const std::string& path) const
{
    // Always 8-bit RGBA with straight alpha, even for opaque images: the editor's loader and the
    // resource list expect one format.
    cairo_surface_flush(image);
    const unsigned char* base = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    const int pw = pixelWidth(), ph = pixelHeight();
    std::vector<png_byte> rgba(static_cast<std::size_t>(pw) * ph * 4);
    for (int y = 0; y < ph; ++y)
    {
        const auto* in = reinterpret_cast<const std::uint32_t*>(base + y * stride);
        png_byte* out = &rgba[static_cast<std::size_t>(y) * pw * 4];
        for (int x = 0; x < pw; ++x, out += 4)
        {
            const std::uint32_t p = in[x];
            const unsigned a = p >> 24;
            auto straight = [a](unsigned c) { return a ? (c * 255 + a / 2) / a : 0u; };
            out[0] = static_cast<png_byte>(straight(p >> 16 & 0xff));
            out[1] = static_cast<png_byte>(straight(p >> 8 & 0xff));
            out[2] = static_cast<png_byte>(straight(p & 0xff));
            out[3] = static_cast<png_byte>(a);
        }
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(pw);
    png.height = static_cast<png_uint_32>(ph);
    png.format = PNG_FORMAT_RGBA;
    const bool ok = png_image_write_to_file(&png, path.c_str(), 0, rgba.data(), 0, nullptr) != 0;
    png_image_free(&png);
    return ok;
}
