#include "CCompMeter.h"

#include "DisplayColours.h"
#include "PixelMath.h"
#include "drawing/COffscreenContext.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr CColor kHoldColour = {0, 204, 255, 50};
} // namespace

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
    const int32_t w = getWidth();
    const int32_t h = getHeight();
    COffscreenContext offscreen(getFrame(), w, h, kBlackCColor);
    drawWell(offscreen, w, h);

    const int32_t holdPixels = truncatePixels(hold * 10.0);
    const int32_t valuePixels = truncatePixels(value * 10.0f);
    const int32_t holdBar = std::min(holdPixels, kMaxBarPixels);
    const int32_t valueBar = std::min(valuePixels, kMaxBarPixels);

    // A negative reading (gain a hair above unity) draws no bar at all.
    if (holdBar > 0)
    {
        offscreen.setFillColor(kHoldColour);
        offscreen.fillRect(CRect(2, 2, w - 2, 2 + holdBar));
    }
    if (valueBar > 0)
    {
        offscreen.setFillColor(displaycolours::kCyan);
        offscreen.fillRect(CRect(2, 2, w - 2, 2 + valueBar));
        offscreen.setFillColor(displaycolours::kCyanEdge);
        offscreen.fillRect(CRect(2, 2, 3, 2 + valueBar));
        offscreen.fillRect(CRect(w - 3, 2, w - 2, 2 + valueBar));
    }
    // Only the hold raises the overflow alarm; a value beyond the well merely fills it.
    if (holdPixels > kMaxBarPixels)
    {
        offscreen.setFillColor(displaycolours::kAlarmRed);
        offscreen.fillRect(CRect(2, 126, w - 2, 128));
    }
    shadeCorners(offscreen, w, h);

    offscreen.copyFrom(context, size, CPoint(0, 0));
    setDirty(false);
}

bool CCompMeter::isTypeOf(const char* name) const
{
    return std::strcmp(name, "CCompMeter") == 0 || CControl::isTypeOf(name);
}
