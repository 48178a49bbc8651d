#include "COnOffButton.h"

#include "CBitmap.h"

#include <cmath>
#include <cstring>

COnOffButton::COnOffButton(const CRect& size, CControlListener* listener, int32_t tag,
                           CBitmap* background, int32_t style)
    : CControl(size, listener, tag, background), style(style)
{
}

void COnOffButton::draw(CDrawContext* context)
{
    if (pBackground)
    {
        CRect r(size);
        const int32_t offsetV = value == 0.f ? 0 : pBackground->getHeight() / 2;
        pBackground->draw(context, r, CPoint(0, offsetV));
    }
    setDirty(false);
}

CMouseEventResult COnOffButton::onMouseDown(CPoint&, const int32_t& buttons)
{
    if (!(buttons & kLButton)) return kMouseEventNotHandled;
    // On means a non-zero integer part; NaN counts as on, so a click turns it off.
    value = std::trunc(value) != 0.f ? 0.f : 1.f;
    invalid();
    auto notify = [this]
    {
        beginEdit();
        if (listener) listener->valueChanged(this);
        endEdit();
    };
    if (style == kPostListenerUpdate)
    {
        notify();
        doIdleStuff();
    }
    else
    {
        doIdleStuff();
        notify();
    }
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool COnOffButton::isTypeOf(const char* name) const
{
    return (name && std::strcmp(name, "COnOffButton") == 0) || CControl::isTypeOf(name);
}
