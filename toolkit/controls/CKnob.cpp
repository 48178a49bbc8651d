#include "CKnob.h"

#include "CBitmap.h"
#include "CDrawContext.h"
#include "KnobMode.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
} // namespace

CKnob::CKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
             CBitmap* handle, const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), pHandle(handle),
      startAngle(static_cast<float>(5.0 * kPi / 4.0)),
      rangeAngle(static_cast<float>(-3.0 * kPi / 2.0))
{
    if (pHandle) pHandle->remember();
}

CKnob::CKnob(const CKnob& other)
    : CControl(other), offset(other.offset), pHandle(other.pHandle), colorHandle(other.colorHandle),
      inset(other.inset), startAngle(other.startAngle), rangeAngle(other.rangeAngle),
      zoomFactor(other.zoomFactor)
{
    if (pHandle) pHandle->remember();
}

CKnob::~CKnob()
{
    if (pHandle) pHandle->forget();
}

void CKnob::draw(CDrawContext* context)
{
    if (pBackground)
    {
        CRect r(size);
        pBackground->draw(context, r, offset);
    }
    // The pointer: a line from the centre towards the value's angle.
    const double span = vmax - vmin;
    const double t = span != 0 && std::isfinite(value) ? (value - vmin) / span : 0.0;
    const double angle = startAngle + rangeAngle * std::clamp(t, 0.0, 1.0);
    const double radius = std::min(size.width(), size.height()) / 2.0 - inset;
    const CPoint centre(size.left + size.width() / 2, size.top + size.height() / 2);
    const CPoint tip(centre.h + static_cast<int32_t>(std::lround(radius * std::cos(angle))),
                     centre.v - static_cast<int32_t>(std::lround(radius * std::sin(angle))));
    context->setFrameColor(colorHandle);
    context->setLineWidth(1);
    context->moveTo(centre);
    context->lineTo(tip);
    setDirty(false);
}

bool CKnob::isLinearDrag(int32_t buttons) const
{
    const int32_t mode = controlHost ? controlHost->getKnobMode() : getGlobalKnobMode();
    const bool alt = (buttons & kAlt) != 0;
    return (mode == kLinearMode) != alt;
}

float CKnob::valueFromPoint(const CPoint& where) const
{
    const double dx = where.h - (size.left + size.width() / 2.0);
    const double dy = (size.top + size.height() / 2.0) - where.v; // upwards positive
    if (dx == 0 && dy == 0) return value;
    const double angle = std::atan2(dy, dx);
    const double span = std::fabs(rangeAngle);
    // Travel from the start angle in the knob's direction of rotation, in [0, 2 pi).
    double travel = rangeAngle < 0 ? startAngle - angle : angle - startAngle;
    travel = std::fmod(travel, kTwoPi);
    if (travel < 0) travel += kTwoPi;
    double t;
    if (travel <= span)
        t = span > 0 ? travel / span : 0.0;
    else // in the gap below the knob: the nearer end
        t = (travel - span) < (kTwoPi - travel) ? 1.0 : 0.0;
    return static_cast<float>(vmin + t * (vmax - vmin));
}

CMouseEventResult CKnob::onMouseDown(CPoint& where, const int32_t& buttons)
{
    beginEdit();
    if (checkDefaultValue(buttons))
    {
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    modeLinear = isLinearDrag(buttons) && (buttons & kLButton);
    drag.begin(where, buttons, value, getOldValue(), vmax - vmin, zoomFactor, modeLinear);
    onMouseMoved(where, buttons);
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseMoved(CPoint& where, const int32_t& buttons)
{
    if (!(buttons & kLButton) || !drag.moveTo(where)) return kMouseEventHandled;
    if (modeLinear)
    {
        value = drag.valueAt(where, buttons, vmax - vmin, zoomFactor);
        bounceValue();
    }
    else
    {
        float v = valueFromPoint(where);
        const float half = (vmax - vmin) / 2.f;
        // Crossing the gap between the ends does not flip the value to the other end.
        if (v - value > half)
            v = vmin;
        else if (value - v > half)
            v = vmax;
        value = v;
    }
    if (value != getOldValue() && listener) listener->valueChanged(this);
    if (isDirty()) invalid();
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseUp(CPoint&, const int32_t&)
{
    endEdit();
    return kMouseEventHandled;
}

bool CKnob::onWheel(const CPoint&, const float& distance, const int32_t& buttons)
{
    return turnKnobByWheel(*this, distance, buttons);
}

bool CKnob::isTypeOf(const char* name) const
{
    return (name && std::strcmp(name, "CKnob") == 0) || CControl::isTypeOf(name);
}
