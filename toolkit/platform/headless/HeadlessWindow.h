#pragma once

#include "platform/PlatformWindow.h"

#include <string>
#include <vector>

// No window at all: the frame paints into its back buffer only, and input comes from direct
// calls. Records what a window would have been asked to do, for tests.
class HeadlessWindow : public PlatformWindow
{
  public:
    bool isHeadless() const override { return true; }
    void* getNativeHandle() const override { return nullptr; }
    void present(const PixelView& backBuffer, const CRect& rect) override;
    void pumpEvents() override {}
    uint32_t getDoubleClickTime() const override { return 250; }
    // Remembers the address; a headless editor has no browser to open.
    bool openUrl(const char* url) override;

    int32_t getPresentCount() const { return presentCount; }
    const CRect& getLastPresented() const { return lastPresented; }
    const std::vector<std::string>& getOpenedUrls() const { return openedUrls; }

  private:
    int32_t presentCount = 0;
    CRect lastPresented;
    std::vector<std::string> openedUrls;
};
