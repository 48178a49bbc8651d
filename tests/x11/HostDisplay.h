#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The test host's side of the X server: its own connection, the top-level windows it hands
// to editors as parents, real input through the XTest extension, and the pixels the server
// shows. Input goes to absolute screen positions, computed from window coordinates.
class HostDisplay
{
  public:
    HostDisplay();
    ~HostDisplay();
    HostDisplay(const HostDisplay&) = delete;
    HostDisplay& operator=(const HostDisplay&) = delete;

    bool isOpen() const { return display != nullptr; }
    bool hasXTest() const { return xtest; }
    Display* get() const { return display; }

    // A mapped top-level window at (x, y) on the screen, filled with `background` (0xRRGGBB).
    Window createWindow(int x, int y, int width, int height, unsigned long background = 0x303030);
    void destroyWindow(Window window);
    // The children of `window`, bottom to top.
    std::vector<Window> children(Window window) const;
    bool windowSize(Window window, int& width, int& height) const;
    bool isViewable(Window window) const;

    // Pointer and keys, through the server as a user's would go.
    void moveTo(Window window, int x, int y);
    void buttonDown(unsigned button);
    void buttonUp(unsigned button);
    void click(Window window, int x, int y, unsigned button = 1);
    void keyDown(unsigned long keysym);
    void keyUp(unsigned long keysym);
    // Moves in steps of `step` pixels from the current point to (x, y), calling `between`
    // after each step.
    void dragTo(Window window, int fromX, int fromY, int toX, int toY, int step,
                const std::function<void()>& between);

    // The window's pixels as 0xRRGGBB, row by row; empty when it cannot be read.
    std::vector<uint32_t> capture(Window window, int width, int height) const;
    void sync() const;

  private:
    void screenPoint(Window window, int x, int y, int& rootX, int& rootY) const;

    Display* display = nullptr;
    bool xtest = false;
};

// Calls `idle` every `intervalMs` for `totalMs`, the way a host's timer does.
void pumpIdle(const std::function<void()>& idle, int totalMs, int intervalMs = 20);
