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

uint32_t getTickCount()
{
    return current.load(std::memory_order_relaxed)->now();
}

void sleepMilliseconds(uint32_t milliseconds)
{
    current.load(std::memory_order_relaxed)->sleep(milliseconds);
}

void setTickSource(TickSource* source)
{
    current.store(source ? source : &monotonic, std::memory_order_relaxed);
}
