#pragma once

#include "CPoint.h"

#include <cstdint>

class CControl;

// A drag in which moving up or right raises the value and down or left lowers it, so that
// diagonal movement adds up: `pixels` of travel cover the whole range, `zoom` times as many
// while Shift is held.
class LinearDrag
{
  public:
    explicit LinearDrag(float pixels) : pixels(pixels), range(pixels) {}

    // At the press. Without `track` (no left button, or a knob turned by angle) the last
    // position stays unset, (-1, -1), and the range unzoomed.
    void begin(const CPoint& where, int32_t buttons, float value, float oldValue, float span,
               float zoom, bool track);
    // Whether `where` differs from the last position seen; it becomes the last position.
    bool moveTo(const CPoint& where);
    // The value at `where`, not yet clamped. When the buttons or modifiers change, the entry
    // value is re-based there, so that Shift changes the rate from then on without a jump.
    float valueAt(const CPoint& where, int32_t buttons, float span, float zoom);

    // The control's old value at the press.
    float getStartValue() const { return startValue; }

  private:
    float rangeFor(int32_t buttons, float zoom) const;

    float pixels;
    CPoint firstPoint;
    CPoint lastPoint;
    float startValue = 0.f;
    float fEntryState = 0.f;
    float range;
    float coef = 0.f;
    int32_t oldButton = 0;
};

// The wheel and arrow-key rule of knobs: the value moves by `steps` wheel increments and is
// clamped; a change is reported to the listener inside one begin/end edit.
void stepKnobValue(CControl& control, float steps);
// A wheel turn of `distance` (a tenth of it with Shift); false, and nothing changes, when the
// control ignores the mouse or the distance is not finite.
bool turnKnobByWheel(CControl& control, float distance, int32_t buttons);
