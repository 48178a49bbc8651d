#include "CCompMeter.h"

#include "DeviceLines.h"
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
    COffscreenContext offscreen(getFrame(), size, kBlackCColor);
    drawWell(offscreen, w, h);

    // Bar lengths in device pixels: at scale 1 the pixel rule as it stands.
    const auto scale = static_cast<float>(offscreen.getScale());
    const int32_t holdPixels = truncatePixels(hold * 10.0);
    const int32_t holdDevice = truncatePixels(hold * 10.0 * scale);
    const int32_t valueDevice = truncatePixels(value * 10.0f * scale);
    const int32_t top = offscreen.toDeviceY(2);
    const int32_t maxBar = offscreen.toDeviceY(2 + kMaxBarPixels) - top;
    const int32_t holdBar = std::min(holdDevice, maxBar);
    const int32_t valueBar = std::min(valueDevice, maxBar);
    const int32_t left = offscreen.toDeviceX(2), right = offscreen.toDeviceX(w - 2);
    const int32_t edge = deviceLineWidth(offscreen);

    // A negative reading (gain a hair above unity) draws no bar at all.
    if (holdBar > 0)
    {
        offscreen.setFillColor(kHoldColour);
        offscreen.fillDeviceRect(CRect(left, top, right, top + holdBar));
    }
    if (valueBar > 0)
    {
        offscreen.setFillColor(displaycolours::kCyan);
        offscreen.fillDeviceRect(CRect(left, top, right, top + valueBar));
        offscreen.setFillColor(displaycolours::kCyanEdge);
        offscreen.fillDeviceRect(CRect(left, top, left + edge, top + valueBar));
        offscreen.fillDeviceRect(CRect(right - edge, top, right, top + valueBar));
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
