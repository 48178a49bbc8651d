#pragma once

#include "ToolkitTypes.h"

#include <cstdint>

// Recognises the second press of a double click: the same button again within the interval,
// close to the first press. For the platforms that detect double clicks themselves.
class DoubleClickTracker
{
  public:
    // kDoubleClick for the second press of a pair, else 0. `time` is the system's millisecond
    // time stamp of the press (wrapping): the X server's, or the Windows message's.
    int32_t press(int32_t button, int32_t x, int32_t y, uint32_t time, uint32_t interval);

  private:
    static constexpr int32_t kSlopPixels = 4;
    bool havePress = false;
    int32_t lastButton = 0;
    int32_t lastX = 0;
    int32_t lastY = 0;
    uint32_t lastTime = 0;
};
