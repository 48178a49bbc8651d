#include "HeadlessWindow.h"

// Builds without a windowed platform: a window inside the host's one is headless too.
std::unique_ptr<PlatformWindow> createSystemWindow(void*, const CRect&, PlatformEventSink&)
{
    return std::make_unique<HeadlessWindow>();
}
