#pragma once

#include "Win32WindowClass.h"
#include "platform/DoubleClickTracker.h"
#include "platform/PlatformWindow.h"

#include <windows.h>

#include <cstdint>
#include <memory>

class PlatformEventSink;

// The frame's window inside a host's window: a child window of the host's HWND. The host's
// own message loop delivers our messages, so there is nothing to pump.
//
// The C++ object and the window may die in either order: the host can destroy its window
// (taking ours with it) before it closes the editor, and the editor can be closed from inside
// one of our own message handlers. The window finds the object only through its user data,
// which is cleared whichever goes first, and the object forgets the handle once the window
// is gone.
class Win32Window : public PlatformWindow
{
  public:
    // Null when `parent` is not a live window or the window cannot be made.
    static std::unique_ptr<Win32Window> create(HWND parent, const CRect& size,
                                               PlatformEventSink& sink);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    bool isHeadless() const override { return false; }
    void* getNativeHandle() const override { return window; }
    void present(const PixelView& backBuffer, const CRect& rect) override;
    void pumpEvents() override {}
    uint32_t getDoubleClickTime() const override;
    // Web addresses only (http and https), handed to the shell.
    bool openUrl(const char* url) override;
    void dispatchPendingPaint() override;
    void resize(const CRect& size) override;

  private:
    Win32Window(PlatformEventSink& sink, int32_t width, int32_t height);
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void copyToScreen(HDC dc, const RECT& area) const;
    LRESULT buttonDown(int32_t button, WPARAM wParam, LPARAM lParam);
    LRESULT buttonUp(int32_t button, WPARAM wParam, LPARAM lParam);
    LRESULT mouseMoved(WPARAM wParam, LPARAM lParam);
    LRESULT wheel(WPARAM wParam, LPARAM lParam);
    LRESULT captureLost();
    LRESULT key(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT character(WPARAM wParam, LPARAM lParam);
    void forgetWindow();

    PlatformEventSink& sink;
    int32_t width;
    int32_t height;
    Win32WindowClass windowClass;
    HWND window = nullptr;
    // The frame's back buffer as last presented: what WM_PAINT copies to the screen. The frame
    // keeps it for as long as this window lives.
    PixelView backBuffer;
    DoubleClickTracker clicks;
    // Set from a press to the release that ends it (while we hold the mouse capture).
    bool pressing = false;
    POINT lastPointer{};
    int32_t lastButtons = 0;
    // The scan code of a key just reported as a virtual key, whose character message (if the
    // key makes one) is not reported again; and the characters reported per scan code, so
    // that the release reports the same character as the press.
    int32_t virtualKeyScan = -1;
    int32_t characterOfScan[512] = {};
};
