#include "LevelMeter.h"

#include "DeviceLines.h"
#include "DisplayColours.h"
#include "PixelMath.h"
#include "drawing/COffscreenContext.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr CColor kFastColour = {149, 234, 255, 255};
constexpr CColor kThresholdShadow = {0, 0, 0, 55};

// Device row of a level at two logical pixels per dB, kept inside the well's inner rows
// (logical rows 2 to h - 2).
int32_t barRow(const CDrawContext& context, float db, int32_t h)
{
    const auto scale = static_cast<float>(context.getScale());
    const int32_t bottom = context.toDeviceY(h - 2);
    const int32_t row = truncatePixels(-db * 2.0f * scale, bottom);
    return std::max(std::min(row, bottom), context.toDeviceY(2));
}
} // namespace

LevelMeter::LevelMeter(const CRect& size, CControlListener* listener, int32_t tag)
    : CControl(size, listener, tag, nullptr)
{
    value = -80.0f;
}

LevelMeter::~LevelMeter() = default;

void LevelMeter::draw(CDrawContext* context)
{
    const int32_t w = getWidth();
    const int32_t h = getHeight();
    COffscreenContext offscreen(getFrame(), size, kBlackCColor);
    drawWell(offscreen, w, h);

    const int32_t fastRow = barRow(offscreen, value, h);
    const int32_t slowRow = barRow(offscreen, slowLevel, h);
    // Whether the marker shows follows the logical row; where it shows, the device one.
    const int32_t thresholdRow = std::min(truncatePixels(-thresholdMarker * 2.0f), h - 2);
    const auto scale = static_cast<float>(offscreen.getScale());
    const int32_t markerRow =
        std::min(truncatePixels(-thresholdMarker * 2.0f * scale), offscreen.toDeviceY(h - 2));
    const int32_t line = deviceLineWidth(offscreen);
    const int32_t bottom = offscreen.toDeviceY(h - 2);
    auto x = [&](int32_t logical) { return offscreen.toDeviceX(logical); };

    offscreen.setFillColor(kFastColour);
    offscreen.fillDeviceRect(CRect(x(2), fastRow, x(w - 2), bottom));
    offscreen.setFillColor(displaycolours::kCyan);
    offscreen.fillDeviceRect(CRect(x(2), slowRow, x(w - 2), bottom));
    offscreen.setFillColor(displaycolours::kCyanEdge);
    offscreen.fillDeviceRect(CRect(x(2), slowRow, x(4), bottom));
    offscreen.fillDeviceRect(CRect(x(w - 8), slowRow, x(w - 2), bottom));

    // At 0 and -0.5 dB the marker would sit on the outline, so it is left out there.
    if (thresholdRow > 2)
    {
        offscreen.setFillColor(kThresholdShadow);
        offscreen.fillDeviceRect(CRect(x(1), markerRow, x(w - 1), markerRow + 2 * line));
    }
    if (thresholdRow > 1)
    {
        offscreen.setFillColor(displaycolours::kAlarmRed);
        offscreen.fillDeviceRect(CRect(x(1), markerRow, x(w - 1), markerRow + line));
    }
    offscreen.drawRect(CRect(0, 0, w, h), kDrawStroked);
    shadeCorners(offscreen, w, h);

    offscreen.copyFrom(context, size, CPoint(0, 0));
    setDirty(false);
}

bool LevelMeter::isTypeOf(const char* name) const
{
    return std::strcmp(name, "LevelMeter") == 0 || CControl::isTypeOf(name);
}
