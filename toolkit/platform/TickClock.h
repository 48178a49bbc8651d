#pragma once

#include <atomic>
#include <cstdint>

// The millisecond clock of the user interface (wraps after 2^32 ms, like the system tick
// count). Tests replace the source to drive time by hand.
class TickSource
{
  public:
    virtual ~TickSource() = default;
    virtual uint32_t now() = 0;
    virtual void sleep(uint32_t milliseconds) = 0;
};

// A clock that moves only when told to; sleep() advances it instead of waiting. Editors on
// several threads may read it while one of them moves it on.
class ManualTickSource : public TickSource
{
  public:
    explicit ManualTickSource(uint32_t start = 0) : ticks(start) {}
    uint32_t now() override { return ticks.load(std::memory_order_relaxed); }
    void sleep(uint32_t milliseconds) override { advance(milliseconds); }
    void advance(uint32_t milliseconds)
    {
        ticks.fetch_add(milliseconds, std::memory_order_relaxed);
    }
    void set(uint32_t value) { ticks.store(value, std::memory_order_relaxed); }

  private:
    std::atomic<uint32_t> ticks;
};

uint32_t getTickCount();
void sleepMilliseconds(uint32_t milliseconds);
// Null restores the monotonic system clock. The source must outlive its use.
void setTickSource(TickSource* source);
