#include "LevelMeter.h"

#include "DisplayColours.h"
#include "PixelMath.h"
#include "drawing/COffscreenContext.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr CColor kFastColour = {149, 234, 255, 255};
constexpr CColor kThresholdShadow = {0, 0, 0, 55};

// Row of a level at two pixels per dB, kept inside the well's inner rows.
int32_t barRow(float db, int32_t h)
{
    const int32_t row = truncatePixels(-db * 2.0f, h - 2);
    return std::max(std::min(row, h - 2), 2);
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
    const int32_t fastRow = barRow(value, h);
    const int32_t slowRow = barRow(slowLevel, h);
    const int32_t thresholdRow = std::min(truncatePixels(-thresholdMarker * 2.0f), h - 2);

    COffscreenContext offscreen(getFrame(), w, h, kBlackCColor);
    drawWell(offscreen, w, h);

    offscreen.setFillColor(kFastColour);
    offscreen.fillRect(CRect(2, fastRow, w - 2, h - 2));
    offscreen.setFillColor(displaycolours::kCyan);
    offscreen.fillRect(CRect(2, slowRow, w - 2, h - 2));
    offscreen.setFillColor(displaycolours::kCyanEdge);
    offscreen.fillRect(CRect(2, slowRow, 4, h - 2));
    offscreen.fillRect(CRect(w - 8, slowRow, w - 2, h - 2));

    // At 0 and -0.5 dB the marker would sit on the outline, so it is left out there.
    if (thresholdRow > 2)
    {
        offscreen.setFillColor(kThresholdShadow);
        offscreen.fillRect(CRect(1, thresholdRow, w - 1, thresholdRow + 2));
    }
    if (thresholdRow > 1)
    {
        offscreen.setFillColor(displaycolours::kAlarmRed);
        offscreen.fillRect(CRect(1, thresholdRow, w - 1, thresholdRow + 1));
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
