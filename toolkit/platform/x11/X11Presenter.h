#pragma once

#include "platform/PlatformWindow.h"

#include <X11/Xlib.h>

#include <memory>

// Copies rectangles of the frame's back buffer into our window.
class X11Presenter
{
  public:
    virtual ~X11Presenter() = default;
    // `area` lies within both the back buffer and the window.
    // The window now has this size (device pixels).
    virtual void resize(int width, int height)
    {
        (void)width;
        (void)height;
    }
    virtual void present(const PixelView& backBuffer, const CRect& area) = 0;

    // The plain copy where the window's pixels have the back buffer's layout (24- and 32-bit
    // TrueColor with 8 bits per channel, which is every common desktop), cairo-xlib for any
    // other visual. Null if neither can be set up. Must go before the window and connection.
    static std::unique_ptr<X11Presenter> create(Display* display, Window window, Visual* visual,
                                                int depth, int width, int height);
};
