#include "TickClock.h"

#include "SystemClock.h"

#include <atomic>

namespace
{
class MonotonicTickSource : public TickSource
{
  public:
    uint32_t now() override { return systemTickCount(); }
    void sleep(uint32_t milliseconds) override { systemSleep(milliseconds); }
};

MonotonicTickSource monotonic;
std::atomic<TickSource*> current{&monotonic};
} // namespace

// A source may be made on one thread and installed while others read the clock: the release
// and acquire let every reader that sees the new source also see it fully made.
uint32_t getTickCount()
{
    return current.load(std::memory_order_acquire)->now();
}

void sleepMilliseconds(uint32_t milliseconds)
{
    current.load(std::memory_order_acquire)->sleep(milliseconds);
}

void setTickSource(TickSource* source)
{
    current.store(source ? source : &monotonic, std::memory_order_release);
}
