#pragma once

#include <cstdint>

// The system's millisecond tick count (wrapping after 2^32 ms) and a plain sleep; one
// implementation per platform folder. TickClock.h is what the toolkit uses.
uint32_t systemTickCount();
void systemSleep(uint32_t milliseconds);
