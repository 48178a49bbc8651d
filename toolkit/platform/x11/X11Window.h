#pragma once

#include "X11Input.h"
#include "X11Presenter.h"
#include "platform/PlatformWindow.h"

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <vector>

class PlatformEventSink;

// The frame's window inside a host's X11 window: a child of the host's window on a display
// connection of its own, so nothing we do on it can disturb the host's connection or another
// editor's. Hosts call us from whichever thread they like, but never two calls at once for
// one editor; the connection is only used inside those calls, so Xlib needs no thread support
// of its own for it.
//
// Events are read when the frame pumps them (from the host's idle call). Hosts that read our
// window's events on their own connection find the routine that handles them in the
// `_XEventProc` property of the window.
class X11Window : public PlatformWindow
{
  public:
    // Null when there is no X server to talk to or the parent is not a window there.
    static std::unique_ptr<X11Window> create(Window parent, const CRect& size,
                                             PlatformEventSink& sink);
    ~X11Window() override;
    X11Window(const X11Window&) = delete;
    X11Window& operator=(const X11Window&) = delete;

    bool isHeadless() const override { return false; }
    void* getNativeHandle() const override;
    void present(const PixelView& backBuffer, const CRect& rect) override;
    void pumpEvents() override;
    uint32_t getDoubleClickTime() const override { return kDoubleClickMs; }
    bool openUrl(const char* url) override;
    void resize(const CRect& size) override;
    int eventDescriptor() const override { return ConnectionNumber(display); }

    // The routine named by `_XEventProc`: hands an event that a host read itself to the
    // window it belongs to, if that is one of ours.
    static void eventProc(XEvent* event);

  private:
    X11Window(Display* display, PlatformEventSink& sink, int32_t width, int32_t height);
    bool createChild(Window parent);
    void publishEventProc();
    void handleEvent(XEvent& event);
    void handleButtonPress(const XButtonEvent& event);
    void handleButtonRelease(const XButtonEvent& event);
    void handleMotion(XEvent& event);
    void coalesceMotion(XEvent& event);
    void handleKey(XKeyEvent& event);
    bool isRepeatOfLastInput(const XEvent& event);
    void dispatchForeign(XEvent& event);
    void handleDeferred();

    // A common double-click time of Linux desktops; X itself has no such setting.
    static constexpr uint32_t kDoubleClickMs = 400;
    // Bounds one pump, so a flood of motion cannot keep the host's idle call busy.
    static constexpr int kMaxEventsPerPump = 512;

    Display* display;
    PlatformEventSink& sink;
    int32_t width;
    int32_t height;
    Window window = 0;
    std::unique_ptr<X11Presenter> presenter;
    // False once the window is gone on the server (its parent was destroyed under it).
    bool windowAlive = false;
    // Set while events are being handled: events arriving meanwhile wait in `deferred`.
    bool dispatching = false;
    std::vector<XEvent> deferred;
    DoubleClickTracker clicks;

    // Type, time stamp and detail of the last input event handled, to drop the copy of an
    // event that reaches us both on our own connection and through a host.
    struct InputSignature
    {
        int type = 0;
        Time time = 0;
        unsigned int detail = 0;
        int x = 0;
        int y = 0;
    } lastInput;
};
