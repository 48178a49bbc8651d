#include "HostDisplay.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

HostDisplay::HostDisplay()
{
    display = XOpenDisplay(nullptr);
    if (!display) return;
    int event = 0, error = 0, major = 0, minor = 0;
    xtest = XTestQueryExtension(display, &event, &error, &major, &minor);
}

HostDisplay::~HostDisplay()
{
    if (display) XCloseDisplay(display);
}

Window HostDisplay::createWindow(int x, int y, int width, int height, unsigned long background)
{
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = background;
    attributes.event_mask = StructureNotifyMask;
    // No window manager runs on the test server; nothing moves the window.
    attributes.override_redirect = True;
    const Window window =
        XCreateWindow(display, RootWindow(display, screen), x, y, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                      CWBackPixel | CWEventMask | CWOverrideRedirect, &attributes);
    XMapWindow(display, window);
    XEvent event;
    do
        XWindowEvent(display, window, StructureNotifyMask, &event);
    while (event.type != MapNotify);
    return window;
}

void HostDisplay::destroyWindow(Window window)
{
    XDestroyWindow(display, window);
    XSync(display, False);
}

std::vector<Window> HostDisplay::children(Window window) const
{
    Window root = 0, parent = 0;
    Window* list = nullptr;
    unsigned count = 0;
    std::vector<Window> result;
    if (XQueryTree(display, window, &root, &parent, &list, &count))
    {
        result.assign(list, list + count);
        if (list) XFree(list);
    }
    return result;
}

bool HostDisplay::windowSize(Window window, int& width, int& height) const
{
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes)) return false;
    width = attributes.width;
    height = attributes.height;
    return true;
}

bool HostDisplay::isViewable(Window window) const
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

void HostDisplay::screenPoint(Window window, int x, int y, int& rootX, int& rootY) const
{
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY,
                          &child);
}

void HostDisplay::moveTo(Window window, int x, int y)
{
    int rootX = 0, rootY = 0;
    screenPoint(window, x, y, rootX, rootY);
    XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, CurrentTime);
    XSync(display, False);
}

void HostDisplay::buttonDown(unsigned button)
{
    XTestFakeButtonEvent(display, button, True, CurrentTime);
    XSync(display, False);
}

void HostDisplay::buttonUp(unsigned button)
{
    XTestFakeButtonEvent(display, button, False, CurrentTime);
    XSync(display, False);
}

void HostDisplay::click(Window window, int x, int y, unsigned button)
{
    moveTo(window, x, y);
    buttonDown(button);
    buttonUp(button);
}

void HostDisplay::keyDown(unsigned long keysym)
{
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), True, CurrentTime);
    XSync(display, False);
}

void HostDisplay::keyUp(unsigned long keysym)
{
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), False, CurrentTime);
    XSync(display, False);
}

void HostDisplay::dragTo(Window window, int fromX, int fromY, int toX, int toY, int step,
                         const std::function<void()>& between)
{
    int x = fromX, y = fromY;
    auto towards = [step](int from, int to)
    {
        if (from < to) return std::min(from + step, to);
        return std::max(from - step, to);
    };
    while (x != toX || y != toY)
    {
        x = towards(x, toX);
        y = towards(y, toY);
        moveTo(window, x, y);
        if (between) between();
    }
}

std::vector<uint32_t> HostDisplay::capture(Window window, int width, int height) const
{
    std::vector<uint32_t> pixels;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image) return pixels;
    pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    // Each channel scaled to 8 bits from however many the visual has.
    auto channel = [](unsigned long pixel, unsigned long mask) -> uint32_t
    {
        if (mask == 0) return 0;
        int shift = 0;
        while (!((mask >> shift) & 1))
            ++shift;
        const unsigned long max = mask >> shift;
        return static_cast<uint32_t>((((pixel & mask) >> shift) * 255 + max / 2) / max);
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const unsigned long p = XGetPixel(image, x, y);
            pixels[static_cast<size_t>(y) * width + x] = (channel(p, image->red_mask) << 16) |
                                                         (channel(p, image->green_mask) << 8) |
                                                         channel(p, image->blue_mask);
        }
    XDestroyImage(image);
    return pixels;
}

void HostDisplay::sync() const
{
    XSync(display, False);
}

void pumpIdle(const std::function<void()>& idle, int totalMs, int intervalMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(totalMs);
    do
    {
        idle();
        std::this_thread::sleep_for(std::chrono::milliseconds(intervalMs));
    } while (std::chrono::steady_clock::now() < end);
    idle();
}
