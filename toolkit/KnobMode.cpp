#include "KnobMode.h"

#include <atomic>

namespace
{
// Editors of several instances may run on different host threads.
std::atomic<int32_t> knobMode{kLinearMode};
} // namespace

int32_t getGlobalKnobMode()
{
    return knobMode.load(std::memory_order_relaxed);
}

void setGlobalKnobMode(int32_t mode)
{
    knobMode.store(mode, std::memory_order_relaxed);
}
