#pragma once

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

// A clock that moves only when told to; sleep() advances it instead of waiting.
class ManualTickSource : public TickSource
{
  public:
    explicit ManualTickSource(uint32_t start = 0) : ticks(start) {}
    uint32_t now() override { return ticks; }
    void sleep(uint32_t milliseconds) override { ticks += milliseconds; }
    void advance(uint32_t milliseconds) { ticks += milliseconds; }
    void set(uint32_t value) { ticks = value; }

  private:
    uint32_t ticks;
};

uint32_t getTickCount();
void sleepMilliseconds(uint32_t milliseconds);
// Null restores the monotonic system clock. The source must outlive its use.
void setTickSource(TickSource* source);
