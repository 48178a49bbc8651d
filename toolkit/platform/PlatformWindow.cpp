#include "PlatformWindow.h"

#include "headless/HeadlessWindow.h"

std::unique_ptr<PlatformWindow> createPlatformWindow(void* parent, const CRect& size,
                                                     PlatformEventSink& sink)
{
    if (parent)
    {
        // A window that cannot be made still leaves a working (invisible) frame.
        if (auto window = createSystemWindow(parent, size, sink)) return window;
    }
    return std::make_unique<HeadlessWindow>();
}
