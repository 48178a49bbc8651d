#include "CompMeterPicture.h"

#include "DeviceLines.h"
#include "DisplayColours.h"
#include "PixelMath.h"
#include "drawing/CDrawContext.h"

#include <algorithm>

namespace
{
constexpr CColor kHoldColour = {0, 204, 255, 50};
} // namespace

void drawCompMeterPicture(CDrawContext& context, int32_t w, int32_t h, double value, double hold)
{
    drawWell(context, w, h);

    // Bar lengths in device pixels: at scale 1 the pixel rule as it stands.
    const auto scale = static_cast<float>(context.getScale());
    const int32_t holdPixels = truncatePixels(hold * 10.0);
    const int32_t holdDevice = truncatePixels(hold * 10.0 * scale);
    const int32_t valueDevice = truncatePixels(static_cast<float>(value) * 10.0f * scale);
    const int32_t top = context.toDeviceY(2);
    const int32_t maxBar = context.toDeviceY(2 + kCompMeterMaxBar) - top;
    const int32_t holdBar = std::min(holdDevice, maxBar);
    const int32_t valueBar = std::min(valueDevice, maxBar);
    const int32_t left = context.toDeviceX(2), right = context.toDeviceX(w - 2);
    const int32_t edge = deviceLineWidth(context);

    // A negative reading (gain a hair above unity) draws no bar at all.
    if (holdBar > 0)
    {
        context.setFillColor(kHoldColour);
        context.fillDeviceRect(CRect(left, top, right, top + holdBar));
    }
    if (valueBar > 0)
    {
        context.setFillColor(displaycolours::kCyan);
        context.fillDeviceRect(CRect(left, top, right, top + valueBar));
        context.setFillColor(displaycolours::kCyanEdge);
        context.fillDeviceRect(CRect(left, top, left + edge, top + valueBar));
        context.fillDeviceRect(CRect(right - edge, top, right, top + valueBar));
    }
    // Only the hold raises the overflow alarm; a value beyond the well merely fills it.
    if (holdPixels > kCompMeterMaxBar)
    {
        context.setFillColor(displaycolours::kAlarmRed);
        context.fillRect(CRect(2, 126, w - 2, 128));
    }
    shadeCorners(context, w, h);
}
