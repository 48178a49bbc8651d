#include "DoubleClickTracker.h"

#include <cstdlib>

int32_t DoubleClickTracker::press(int32_t button, int32_t x, int32_t y, uint32_t time,
                                  uint32_t interval)
{
    const bool second = havePress && button == lastButton && time - lastTime <= interval &&
                        std::abs(x - lastX) <= kSlopPixels && std::abs(y - lastY) <= kSlopPixels;
    // A third quick press starts a new pair rather than counting as another double click.
    havePress = !second;
    lastButton = button;
    lastX = x;
    lastY = y;
    lastTime = time;
    return second ? kDoubleClick : 0;
}
