#include "X11Presenter.h"

#include <X11/Xutil.h>
#include <cairo-xlib.h>
#include <cairo.h>

#include <cstdint>

namespace
{
bool hasBackBufferLayout(const Visual* visual, int depth)
{
    return visual && visual->c_class == TrueColor && (depth == 24 || depth == 32) &&
           visual->red_mask == 0xff0000 && visual->green_mask == 0x00ff00 &&
           visual->blue_mask == 0x0000ff;
}

int nativeByteOrder()
{
    const uint32_t one = 1;
    return *reinterpret_cast<const unsigned char*>(&one) == 1 ? LSBFirst : MSBFirst;
}

// Sends the pixels as they are with XPutImage. The back buffer is opaque where the frame
// painted, so its premultiplied words are plain 0xAARRGGBB here. No shared memory: cairo's
// shared-memory upload of partial areas loses a small block per window it was used on.
class DirectPixelPresenter : public X11Presenter
{
  public:
    DirectPixelPresenter(Display* display, Window window, int depth)
        : display(display), window(window), depth(depth)
    {
        gc = XCreateGC(display, window, 0, nullptr);
    }
    ~DirectPixelPresenter() override { XFreeGC(display, gc); }

    void present(const PixelView& backBuffer, const CRect& area) override
    {
        XImage image{};
        image.width = backBuffer.width;
        image.height = backBuffer.height;
        image.format = ZPixmap;
        // Only read: XPutImage never writes to the image it sends.
        image.data = reinterpret_cast<char*>(const_cast<uint32_t*>(backBuffer.pixels));
        image.byte_order = nativeByteOrder();
        image.bitmap_unit = 32;
        image.bitmap_bit_order = image.byte_order;
        image.bitmap_pad = 32;
        image.depth = depth;
        image.bytes_per_line = backBuffer.stride * static_cast<int>(sizeof(uint32_t));
        image.bits_per_pixel = 32;
        image.red_mask = 0xff0000;
        image.green_mask = 0x00ff00;
        image.blue_mask = 0x0000ff;
        if (!XInitImage(&image)) return;
        XPutImage(display, window, gc, &image, area.left, area.top, area.left, area.top,
                  static_cast<unsigned>(area.width()), static_cast<unsigned>(area.height()));
    }

  private:
    Display* display;
    Window window;
    int depth;
    GC gc;
};

// Lets cairo convert to whatever the window's visual is (16-bit, 30-bit, indexed colour).
class CairoPresenter : public X11Presenter
{
  public:
    explicit CairoPresenter(cairo_surface_t* surface) : surface(surface) {}
    ~CairoPresenter() override
    {
        cairo_surface_finish(surface);
        cairo_surface_destroy(surface);
    }

    void present(const PixelView& backBuffer, const CRect& area) override
    {
        // The back buffer already is cairo's premultiplied ARGB32; the source is only read.
        auto* data = reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(backBuffer.pixels));
        cairo_surface_t* source = cairo_image_surface_create_for_data(
            data, CAIRO_FORMAT_ARGB32, backBuffer.width, backBuffer.height,
            backBuffer.stride * static_cast<int>(sizeof(uint32_t)));
        cairo_t* cr = cairo_create(surface);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, source, 0, 0);
        cairo_rectangle(cr, area.left, area.top, area.width(), area.height());
        cairo_fill(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(source);
        cairo_surface_flush(surface);
    }

    void resize(int width, int height) override
    {
        cairo_xlib_surface_set_size(surface, width, height);
    }

  private:
    cairo_surface_t* surface;
};
} // namespace

std::unique_ptr<X11Presenter> X11Presenter::create(Display* display, Window window, Visual* visual,
                                                   int depth, int width, int height)
{
    if (hasBackBufferLayout(visual, depth))
        return std::make_unique<DirectPixelPresenter>(display, window, depth);
    cairo_surface_t* surface = cairo_xlib_surface_create(display, window, visual, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return std::make_unique<CairoPresenter>(surface);
}
