#include "platform/SystemClock.h"

#include <chrono>
#include <thread>

uint32_t systemTickCount()
{
    const auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
    // Truncation to 32 bits gives the wrapping tick count.
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void systemSleep(uint32_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
