#include "X11Window.h"

#include "BrowserLauncher.h"
#include "X11ErrorTrap.h"
#include "platform/PlatformEventSink.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace
{
constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            KeyPressMask | KeyReleaseMask | StructureNotifyMask;

// Our windows, for the event routine that hosts call with events they read themselves.
std::mutex registryMutex;
std::vector<X11Window*> registry;

void registerWindow(X11Window* window)
{
    std::lock_guard<std::mutex> lock(registryMutex);
    registry.push_back(window);
}

void unregisterWindow(X11Window* window)
{
    std::lock_guard<std::mutex> lock(registryMutex);
    registry.erase(std::remove(registry.begin(), registry.end(), window), registry.end());
}

X11Window* findWindow(Window id)
{
    std::lock_guard<std::mutex> lock(registryMutex);
    for (X11Window* window : registry)
        if (reinterpret_cast<uintptr_t>(window->getNativeHandle()) == id) return window;
    return nullptr;
}

CPoint pointOf(int x, int y)
{
    return CPoint(static_cast<int32_t>(x), static_cast<int32_t>(y));
}
} // namespace

std::unique_ptr<X11Window> X11Window::create(Window parent, const CRect& size,
                                             PlatformEventSink& sink)
{
    if (parent == 0 || size.isEmpty()) return nullptr;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return nullptr;
    X11ErrorTrap::watch(display);
    std::unique_ptr<X11Window> window(new X11Window(display, sink, size.width(), size.height()));
    if (!window->createChild(parent)) return nullptr; // the destructor closes the connection
    registerWindow(window.get());
    return window;
}

X11Window::X11Window(Display* display, PlatformEventSink& sink, int32_t width, int32_t height)
    : display(display), sink(sink), width(width), height(height)
{
}

bool X11Window::createChild(Window parent)
{
    X11ErrorTrap trap;
    XWindowAttributes parentAttributes{};
    // A parent that is not a window of this server fails here, not later in the host.
    if (!XGetWindowAttributes(display, parent, &parentAttributes)) return false;

    XSetWindowAttributes attributes{};
    attributes.event_mask = kEventMask;
    // No background: the server leaves exposed areas alone until we paint them.
    attributes.background_pixmap = None;
    attributes.border_pixel = 0;
    attributes.colormap = parentAttributes.colormap;
    window = XCreateWindow(display, parent, 0, 0, static_cast<unsigned>(width),
                           static_cast<unsigned>(height), 0, parentAttributes.depth, InputOutput,
                           parentAttributes.visual,
                           CWEventMask | CWBackPixmap | CWBorderPixel | CWColormap, &attributes);
    publishEventProc();
    XMapWindow(display, window);
    XSync(display, False);
    if (X11ErrorTrap::takeErrorCount(display) != 0)
    {
        // The window may exist half-made; destroying it may fail too, which the trap absorbs.
        XDestroyWindow(display, window);
        XSync(display, False);
        window = 0;
        return false;
    }
    windowAlive = true;
    presenter = X11Presenter::create(display, window, parentAttributes.visual,
                                     parentAttributes.depth, width, height);
    return presenter != nullptr;
}

// The routine's address as 32-bit items, low half first, the way format-32 properties carry
// numbers: one item on a 32-bit system, two on a 64-bit one.
void X11Window::publishEventProc()
{
    const Atom atom = XInternAtom(display, "_XEventProc", False);
    void (*routine)(XEvent*) = &X11Window::eventProc;
    const auto address = reinterpret_cast<uintptr_t>(routine);
    long items[2] = {static_cast<long>(address & 0xffffffffu), 0};
    int count = 1;
    if constexpr (sizeof(uintptr_t) > 4)
    {
        items[1] = static_cast<long>((static_cast<uint64_t>(address) >> 32) & 0xffffffffu);
        count = 2;
    }
    XChangeProperty(display, window, atom, atom, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(items), count);
}

X11Window::~X11Window()
{
    unregisterWindow(this);
    {
        X11ErrorTrap trap;
        presenter.reset();
        // Gone already when the host destroyed its window first; the error is absorbed.
        if (window != 0 && windowAlive) XDestroyWindow(display, window);
        XSync(display, False);
        // Inside the trap: cairo's clean-up of the connection may still talk to the server.
        XCloseDisplay(display);
    }
    X11ErrorTrap::unwatch(display);
}

void* X11Window::getNativeHandle() const
{
    return reinterpret_cast<void*>(static_cast<uintptr_t>(window));
}

void X11Window::present(const PixelView& backBuffer, const CRect& rect)
{
    if (!presenter || !windowAlive || !backBuffer.pixels) return;
    CRect area(rect);
    area.bound(CRect(0, 0, std::min(width, backBuffer.width), std::min(height, backBuffer.height)));
    if (area.isEmpty()) return;
    X11ErrorTrap trap;
    presenter->present(backBuffer, area);
    XFlush(display);
}

void X11Window::resize(const CRect& size)
{
    if (!windowAlive || size.isEmpty()) return;
    width = size.width();
    height = size.height();
    X11ErrorTrap trap;
    XResizeWindow(display, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (presenter) presenter->resize(width, height);
    XFlush(display);
}

void X11Window::pumpEvents()
{
    if (dispatching) return;
    X11ErrorTrap trap;
    dispatching = true;
    for (int handled = 0; handled < kMaxEventsPerPump && XPending(display) > 0; ++handled)
    {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MotionNotify) coalesceMotion(event);
        handleEvent(event);
        handleDeferred();
    }
    handleDeferred();
    dispatching = false;
}

void X11Window::handleDeferred()
{
    while (!deferred.empty())
    {
        XEvent event = deferred.front();
        deferred.erase(deferred.begin());
        handleEvent(event);
    }
}

void X11Window::eventProc(XEvent* event)
{
    if (!event) return;
    if (X11Window* target = findWindow(event->xany.window)) target->dispatchForeign(*event);
}

void X11Window::dispatchForeign(XEvent& event)
{
    // A host that calls us from inside one of our own handlers: after the current event.
    if (dispatching)
    {
        deferred.push_back(event);
        return;
    }
    dispatching = true;
    handleEvent(event);
    handleDeferred();
    dispatching = false;
}

void X11Window::handleEvent(XEvent& event)
{
    // Sent to every connection, for no window: the keyboard layout changed. (A host that
    // hands us its own copy refreshes its own connection.)
    if (event.type == MappingNotify)
    {
        if (event.xmapping.display == display) XRefreshKeyboardMapping(&event.xmapping);
        return;
    }
    if (event.xany.window != window) return;
    switch (event.type)
    {
    case Expose:
        sink.platformExpose(CRect(event.xexpose.x, event.xexpose.y,
                                  event.xexpose.x + event.xexpose.width,
                                  event.xexpose.y + event.xexpose.height));
        break;
    case ButtonPress:
        if (!isRepeatOfLastInput(event)) handleButtonPress(event.xbutton);
        break;
    case ButtonRelease:
        if (!isRepeatOfLastInput(event)) handleButtonRelease(event.xbutton);
        break;
    case MotionNotify:
        handleMotion(event);
        break;
    case KeyPress:
    case KeyRelease:
        if (!isRepeatOfLastInput(event)) handleKey(event.xkey);
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window == window)
        {
            windowAlive = false;
            X11ErrorTrap trap;
            presenter.reset();
        }
        break;
    default:
        break;
    }
}

bool X11Window::isRepeatOfLastInput(const XEvent& event)
{
    InputSignature signature;
    signature.type = event.type;
    switch (event.type)
    {
    case ButtonPress:
    case ButtonRelease:
        signature = {event.type, event.xbutton.time, event.xbutton.button, event.xbutton.x,
                     event.xbutton.y};
        break;
    case MotionNotify:
        signature = {event.type, event.xmotion.time, event.xmotion.state, event.xmotion.x,
                     event.xmotion.y};
        break;
    case KeyPress:
    case KeyRelease:
        signature = {event.type, event.xkey.time, event.xkey.keycode, 0, 0};
        break;
    default:
        return false;
    }
    const bool repeat = signature.type == lastInput.type && signature.time == lastInput.time &&
                        signature.detail == lastInput.detail && signature.x == lastInput.x &&
                        signature.y == lastInput.y;
    lastInput = signature;
    return repeat;
}

void X11Window::handleButtonPress(const XButtonEvent& event)
{
    const int32_t modifiers = x11ModifierButtons(event.state);
    const float wheel = x11WheelDistance(event.button);
    if (wheel != 0.0f)
    {
        sink.platformWheel(pointOf(event.x, event.y), wheel,
                           x11HeldButtons(event.state) | modifiers);
        return;
    }
    const int32_t button = x11ButtonBit(event.button);
    if (button == 0) return;
    const int32_t doubleClick =
        clicks.press(button, event.x, event.y, static_cast<uint32_t>(event.time), kDoubleClickMs);
    // The server grabs the pointer for us until the release, so moves and the release outside
    // the window still arrive here and reach the view that took the press.
    sink.platformMouseDown(pointOf(event.x, event.y), button | modifiers | doubleClick);
}

void X11Window::handleButtonRelease(const XButtonEvent& event)
{
    const int32_t button = x11ButtonBit(event.button);
    if (button == 0) return; // wheel buttons come as press/release pairs; the press did the work
    sink.platformMouseUp(pointOf(event.x, event.y), button | x11ModifierButtons(event.state));
}

void X11Window::handleMotion(XEvent& event)
{
    if (isRepeatOfLastInput(event)) return;
    const XMotionEvent& motion = event.xmotion;
    sink.platformMouseMoved(pointOf(motion.x, motion.y),
                            x11HeldButtons(motion.state) | x11ModifierButtons(motion.state));
}

void X11Window::coalesceMotion(XEvent& event)
{
    // Only the newest of a run of moves matters; anything else in between keeps its order.
    XEvent next;
    while (XPending(display) > 0)
    {
        XPeekEvent(display, &next);
        if (next.type != MotionNotify || next.xmotion.window != event.xmotion.window) return;
        XNextEvent(display, &event);
    }
}

void X11Window::handleKey(XKeyEvent& event)
{
    char text[8] = {};
    KeySym keysym = NoSymbol;
    const int length = XLookupString(&event, text, sizeof(text) - 1, &keysym, nullptr);
    CKeyCode key;
    if (!x11KeyCode(keysym, text, length, event.state, key)) return;
    if (event.type == KeyPress)
        sink.platformKeyDown(key);
    else
        sink.platformKeyUp(key);
}

bool X11Window::openUrl(const char* url)
{
    return launchBrowser(url);
}

std::unique_ptr<PlatformWindow> createSystemWindow(void* parent, const CRect& size,
                                                   PlatformEventSink& sink)
{
    const auto parentWindow = static_cast<Window>(reinterpret_cast<uintptr_t>(parent));
    return X11Window::create(parentWindow, size, sink);
}
