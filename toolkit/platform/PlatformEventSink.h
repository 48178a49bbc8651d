#pragma once

#include "CPoint.h"
#include "CRect.h"
#include "ToolkitTypes.h"

#include <cstdint>

// What a platform window delivers to its frame: input in frame coordinates with the button
// set of ToolkitTypes.h, and exposed areas that need painting again.
class PlatformEventSink
{
  public:
    virtual ~PlatformEventSink() = default;
    virtual int32_t platformMouseDown(CPoint where, int32_t buttons) = 0;
    virtual int32_t platformMouseMoved(CPoint where, int32_t buttons) = 0;
    virtual int32_t platformMouseUp(CPoint where, int32_t buttons) = 0;
    virtual bool platformWheel(CPoint where, float distance, int32_t buttons) = 0;
    virtual int32_t platformKeyDown(CKeyCode key) = 0;
    virtual int32_t platformKeyUp(CKeyCode key) = 0;
    virtual void platformExpose(const CRect& rect) = 0;
};
