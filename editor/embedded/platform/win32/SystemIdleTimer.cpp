#include "SystemIdleTimer.h"

#include <windows.h>

namespace
{
// The timer's id on its window is the object's address, so the routine finds its object
// without a table; the message loop that dispatches WM_TIMER calls it directly.
class Win32IdleTimer : public SystemIdleTimer
{
  public:
    Win32IdleTimer(HWND window, Tick tick, void* context)
        : window(window), tick(tick), context(context)
    {
    }
    ~Win32IdleTimer() override { KillTimer(window, id()); }

    bool start(unsigned milliseconds) { return SetTimer(window, id(), milliseconds, onTimer) != 0; }

  private:
    UINT_PTR id() const { return reinterpret_cast<UINT_PTR>(this); }
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR id, DWORD)
    {
        const auto* self = reinterpret_cast<const Win32IdleTimer*>(id);
        self->tick(self->context);
    }

    HWND window;
    Tick tick;
    void* context;
};
} // namespace

std::unique_ptr<SystemIdleTimer> SystemIdleTimer::start(void* window, unsigned milliseconds,
                                                        Tick tick, void* context)
{
    if (!window || !tick) return nullptr;
    auto timer = std::make_unique<Win32IdleTimer>(static_cast<HWND>(window), tick, context);
    if (!timer->start(milliseconds)) return nullptr;
    return timer;
}
