#include "CCompMeter.h"

#include "CompMeterPicture.h"
#include "drawing/COffscreenContext.h"

#include <cstring>

CCompMeter::CCompMeter(const CRect& size, CControlListener* listener, int32_t tag)
    : CControl(size, listener, tag, nullptr)
{
}

CCompMeter::~CCompMeter() = default;

void CCompMeter::setHold(double newHold)
{
    hold = newHold;
    setDirty(true);
}

void CCompMeter::draw(CDrawContext* context)
{
    COffscreenContext offscreen(getFrame(), size, kBlackCColor);
    drawCompMeterPicture(offscreen, getWidth(), getHeight(), value, hold);
    offscreen.copyFrom(context, size, CPoint(0, 0));
    setDirty(false);
}

bool CCompMeter::isTypeOf(const char* name) const
{
    return std::strcmp(name, "CCompMeter") == 0 || CControl::isTypeOf(name);
}
