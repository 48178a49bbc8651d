#include "CControl.h"

#include "CBitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
// Equal, counting two NaNs as equal so that a NaN value does not stay dirty for ever.
bool sameValue(float a, float b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}
} // namespace

CControl::CControl(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background)
    : CView(size), listener(listener), tag(tag)
{
    pBackground = background;
    if (pBackground) pBackground->remember();
}

CControl::CControl(const CControl& other)
    : CView(other), listener(other.listener), tag(other.tag), value(other.value), vmin(other.vmin),
      vmax(other.vmax), defaultValue(other.defaultValue), oldValue(other.oldValue),
      wheelInc(other.wheelInc), backOffset(other.backOffset)
{
}

bool CControl::isDirty() const
{
    return !sameValue(value, oldValue) || CView::isDirty();
}

void CControl::setDirty(const bool val)
{
    CView::setDirty(val);
    if (val)
        oldValue = value != -1.f ? -1.f : 0.f;
    else
        oldValue = value;
}

void CControl::bounceValue()
{
    if (std::isnan(value))
        value = vmin;
    else if (value > vmax)
        value = vmax;
    else if (value < vmin)
        value = vmin;
}

bool CControl::checkDefaultValue(int32_t buttons)
{
    if (buttons != (kControl | kLButton)) return false;
    beginEdit();
    value = getDefaultValue();
    if (isDirty() && listener) listener->valueChanged(this);
    endEdit();
    return true;
}

void CControl::beginEdit()
{
    if (listener) listener->controlBeginEdit(this);
    if (controlHost)
    {
        controlHost->setFocusView(this);
        controlHost->beginEdit(tag);
    }
}

void CControl::endEdit()
{
    if (controlHost) controlHost->endEdit(tag);
    if (listener) listener->controlEndEdit(this);
}

void CControl::doIdleStuff()
{
    if (controlHost) controlHost->doIdleStuff();
}

uint32_t CControl::getDoubleClickInterval() const
{
    const uint32_t system = controlHost ? controlHost->getDoubleClickTime() : 0;
    return std::max<uint32_t>(250, system);
}

bool CControl::isTypeOf(const char* name) const
{
    return (name && std::strcmp(name, "CControl") == 0) || CView::isTypeOf(name);
}
