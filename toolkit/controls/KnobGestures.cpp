#include "KnobGestures.h"

#include "CControl.h"

#include <cmath>

void LinearDrag::begin(const CPoint& where, int32_t buttons, float value, float oldValue,
                       float span, float zoom, bool track)
{
    firstPoint = where;
    lastPoint = track ? where : CPoint(-1, -1);
    startValue = oldValue;
    fEntryState = value;
    range = track ? rangeFor(buttons, zoom) : pixels;
    coef = span / range;
    oldButton = buttons;
}

bool LinearDrag::moveTo(const CPoint& where)
{
    if (where == lastPoint) return false;
    lastPoint = where;
    return true;
}

float LinearDrag::valueAt(const CPoint& where, int32_t buttons, float span, float zoom)
{
    const float distance = static_cast<float>((firstPoint.v - where.v) + (where.h - firstPoint.h));
    if (buttons != oldButton)
    {
        range = rangeFor(buttons, zoom);
        const float newCoef = span / range;
        fEntryState += distance * (coef - newCoef);
        coef = newCoef;
        oldButton = buttons;
    }
    return fEntryState + distance * coef;
}

float LinearDrag::rangeFor(int32_t buttons, float zoom) const
{
    return (buttons & kShift) ? pixels * zoom : pixels;
}

void stepKnobValue(CControl& control, float steps)
{
    control.setValue(control.getValue() + steps * control.getWheelInc());
    control.bounceValue();
    CControlListener* listener = control.getListener();
    if (control.isDirty() && listener)
    {
        control.beginEdit();
        listener->valueChanged(&control);
        control.endEdit();
    }
}

bool turnKnobByWheel(CControl& control, float distance, int32_t buttons)
{
    if (!control.getMouseEnabled() || !std::isfinite(distance)) return false;
    stepKnobValue(control, (buttons & kShift) ? distance * 0.1f : distance);
    return true;
}
