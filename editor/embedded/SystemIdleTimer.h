#pragma once

#include <memory>

// A timer of the system's, for hosts that offer the editor none: it calls `tick` on the thread
// that owns `window` (an HWND) every `milliseconds`, from that thread's message loop. Null where
// the system has no such timer (on X11 only the host's own loop can drive the editor).
class SystemIdleTimer
{
  public:
    using Tick = void (*)(void* context);
    static std::unique_ptr<SystemIdleTimer> start(void* window, unsigned milliseconds, Tick tick,
                                                  void* context);
    virtual ~SystemIdleTimer() = default;
};
