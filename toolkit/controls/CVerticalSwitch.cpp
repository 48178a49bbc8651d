#include "CVerticalSwitch.h"

#include "CBitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>

CVerticalSwitch::CVerticalSwitch(const CRect& size, CControlListener* listener, int32_t tag,
                                 int32_t subPixmaps, int32_t heightOfOneImage,
                                 int32_t iMaxPositions, CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), subPixmaps(subPixmaps),
      heightOfOneImage(heightOfOneImage), iMaxPositions(iMaxPositions)
{
    defaultValue = 0.f;
}

int32_t CVerticalSwitch::frameIndex() const
{
    if (iMaxPositions <= 1 || !std::isfinite(value)) return 0;
    const double position = std::trunc(value * (iMaxPositions - 1) + 0.5);
    const int32_t last = std::max(0, std::min(iMaxPositions, std::max(subPixmaps, 1)) - 1);
    return static_cast<int32_t>(std::clamp(position, 0.0, static_cast<double>(last)));
}

void CVerticalSwitch::draw(CDrawContext* context)
{
    if (pBackground)
    {
        CRect r(size);
        const CPoint where(offset.h, offset.v + frameIndex() * heightOfOneImage);
        pBackground->draw(context, r, where);
    }
    setDirty(false);
}

CMouseEventResult CVerticalSwitch::onMouseDown(CPoint& where, const int32_t& buttons)
{
    if (!(buttons & kLButton)) return kMouseEventNotHandled;
    beginEdit();
    if (checkDefaultValue(buttons))
    {
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    onMouseMoved(where, buttons);
    return kMouseEventHandled;
}

CMouseEventResult CVerticalSwitch::onMouseMoved(CPoint& where, const int32_t& buttons)
{
    if (!(buttons & kLButton)) return kMouseEventHandled;
    // The view's height splits into one band per position.
    const double band = static_cast<double>(heightOfOneImage) / iMaxPositions;
    double v = 0.0;
    if (iMaxPositions > 1 && band > 0)
        v = std::trunc((where.v - size.top) / band) / (iMaxPositions - 1);
    value = static_cast<float>(std::clamp(v, 0.0, 1.0));
    if (isDirty() && listener) listener->valueChanged(this);
    if (isDirty()) invalid();
    return kMouseEventHandled;
}

CMouseEventResult CVerticalSwitch::onMouseUp(CPoint&, const int32_t&)
{
    endEdit();
    return kMouseEventHandled;
}

bool CVerticalSwitch::isTypeOf(const char* name) const
{
    return (name && std::strcmp(name, "CVerticalSwitch") == 0) || CControl::isTypeOf(name);
}
