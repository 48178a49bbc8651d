#include "TickClock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace
{
class MonotonicTickSource : public TickSource
{
  public:
    uint32_t now() override
    {
        const auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
        // Truncation to 32 bits gives the wrapping tick count.
        return static_cast<uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    }
    void sleep(uint32_t milliseconds) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
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
