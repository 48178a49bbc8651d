#pragma once

#include "CRect.h"

#include <cstdint>
#include <memory>

class PlatformEventSink;

// Read access to a frame's back buffer: premultiplied 32-bit pixels, alpha in the top byte,
// `stride` pixels per row.
struct PixelView
{
    const uint32_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;
};

// The window under a frame. The toolkit core talks to the system only through this; each
// platform lives in its own folder under platform/.
class PlatformWindow
{
  public:
    virtual ~PlatformWindow() = default;

    // True for the windowless implementation.
    virtual bool isHeadless() const = 0;
    // The platform's own window handle (null when headless).
    virtual void* getNativeHandle() const = 0;
    // Shows the rectangle `rect` of the back buffer on screen.
    virtual void present(const PixelView& backBuffer, const CRect& rect) = 0;
    // Delivers pending system events to the sink; called from the frame's idle pass.
    virtual void pumpEvents() = 0;
    virtual uint32_t getDoubleClickTime() const = 0;
    // Opens an address in the user's browser.
    virtual bool openUrl(const char* url) = 0;
    // Lets a paint request the system holds for the window through while a control keeps the
    // host's event loop waiting (a drag runs inside one input event). Most platforms have none.
    virtual void dispatchPendingPaint() {}
    // Gives the window a new size (device pixels) after the frame's scale changed.
    virtual void resize(const CRect& size) { (void)size; }
    // A descriptor that becomes readable when the window's events arrive, for hosts that poll
    // it on their own loop; -1 where events come another way.
    virtual int eventDescriptor() const { return -1; }
};

// Headless when `parent` is null, else a child window of `parent` on the platform this build
// was made for.
std::unique_ptr<PlatformWindow> createPlatformWindow(void* parent, const CRect& size,
                                                     PlatformEventSink& sink);

// Defined by exactly one platform folder: the windowed implementation of this build.
std::unique_ptr<PlatformWindow> createSystemWindow(void* parent, const CRect& size,
                                                   PlatformEventSink& sink);
