#include "platform/SystemClock.h"

#include <windows.h>

uint32_t systemTickCount()
{
    return static_cast<uint32_t>(GetTickCount());
}

void systemSleep(uint32_t milliseconds)
{
    Sleep(milliseconds);
}
