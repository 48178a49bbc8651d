#include "InlinePicture.h"

#include "CFontDesc.h"
#include "CompMeterPicture.h"
#include "DisplayColours.h"
#include "MeterScale.h"
#include "PixelMath.h"
#include "TransferPicture.h"
#include "drawing/CDrawContext.h"
#include "drawing/Canvas.h"
#include "drawing/DeviceScale.h"
#include "drawing/PixelImage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{
// The editor's well: 130 logical pixels high, bar rows 2 to 127, scale ticks 5 pixels apart.
constexpr int32_t kWellHeight = kTransferSide;
constexpr int32_t kTickSpacing = 5;
constexpr int32_t kTicks = 26;
constexpr CColor kDimmed = {0, 0, 0, 140};

// A context that draws the editor's logical pixels at any device scale, without a window.
class ScaledContext : public CDrawContext
{
  public:
    ScaledContext(PixelImage& target, double scale, int32_t w, int32_t h)
        : CDrawContext(nullptr, target)
    {
        setDeviceScale(scale, CRect(0, 0, w, h));
    }
};

// The bar's unit is ten logical pixels; the Meter Scale setting picks how many dB that is.
double barUnits(const GlanceState& s)
{
    return s.reductionDb * meterscale::meterFactor(s.meterScale) / 2.0;
}

void drawOperatingPoint(CDrawContext& context, const GlanceMarks& marks)
{
    if (marks.pointX < 0) return;
    const int32_t half = context.getScale() >= 1.2 ? 2 : 1;
    context.setFillColor(kWhiteCColor);
    context.fillDeviceRect(CRect(marks.pointX - half, marks.pointY - half, marks.pointX + half + 1,
                                 marks.pointY + half + 1));
}

void drawCurvePart(CDrawContext& surface, const GlanceLayout& l, const GlanceState& s,
                   const GlanceMarks& marks)
{
    PixelImage image(l.side, l.side);
    ScaledContext context(image, l.scale(), kTransferSide, kTransferSide);
    drawTransferPicture(context, s.curve);
    drawOperatingPoint(context, marks);
    surface.getCanvas().copyImage(image, CRect(l.curveX, 0, l.curveX + l.side, l.side),
                                  CPoint(0, 0));
}

void drawBarPart(CDrawContext& surface, const GlanceLayout& l, const GlanceState& s)
{
    PixelImage image(l.barWidth, l.side);
    ScaledContext context(image, l.scale(), l.barLogicalWidth, kWellHeight);
    const double units = s.bypassed ? 0.0 : barUnits(s);
    drawCompMeterPicture(context, l.barLogicalWidth, kWellHeight, units, 0.0);
    surface.getCanvas().copyImage(image, CRect(l.barX, 0, l.barX + l.barWidth, l.side),
                                  CPoint(0, 0));
}

// Ticks beside the bar at the editor's scale steps (every fourth one longer, and labelled where
// there is room); minor ticks only where they stay three pixels apart.
void drawScalePart(CDrawContext& surface, const GlanceLayout& l, const GlanceState& s)
{
    const double scale = l.scale();
    const bool minor = kTickSpacing * scale >= 3.0;
    const int32_t fontSize = std::clamp(static_cast<int32_t>(std::lround(9.0 * scale)), 8, 12);
    surface.setFont(kNormalFontVerySmall, fontSize);
    surface.setFontColor(kWhiteCColor);
    surface.setFillColor(displaycolours::kWellOutline);
    for (int32_t i = 0; i < kTicks; ++i)
    {
        const bool major = i % 4 == 0;
        if (!major && !minor) continue;
        const int32_t y = toDevicePixel(2 + kTickSpacing * i, scale);
        surface.fillRect(CRect(l.scaleX, y, l.scaleX + (major ? 4 : 2), y + 1));
        if (!major || !l.labels) continue;
        char label[16];
        const int value = meterscale::tickLabel(s.meterScale, i);
        std::snprintf(label, sizeof label, value ? "-%d" : "%d", value);
        surface.drawString(label, CRect(l.scaleX + 5, y - 8, l.width, y + 8), 0, kLeftText);
    }
}
} // namespace

double GlanceLayout::scale() const
{
    return side / static_cast<double>(kTransferSide);
}

// Width shares: the bar about 7 %, the scale 12 % (labels) or 3 pixels (ticks alone), a gap of
// two pixels after the curve and after the bar (one when small); the curve takes the rest, as
// a square no higher than the host allows, and the whole is centred in the width asked for.
GlanceLayout glanceLayout(int32_t width, int32_t maxHeight)
{
    GlanceLayout l;
    if (width < GlanceLayout::kMinWidth || maxHeight < 16) return l;
    width = std::min(width, 2048);
    l.ticks = width >= GlanceLayout::kTicksFrom;
    l.labels = width >= GlanceLayout::kLabelsFrom;
    const int32_t gap = width >= GlanceLayout::kTicksFrom ? 2 : 1;
    const int32_t scaleWidth = l.labels ? (width * 12 + 50) / 100 : (l.ticks ? 4 : 0);
    const int32_t barGuess = std::max(4, (width * 7 + 50) / 100);
    l.side = std::min(maxHeight, width - barGuess - scaleWidth - 2 * gap);
    if (l.side < 16) return GlanceLayout{};
    const double scale = l.scale();
    l.barLogicalWidth = std::max(4, static_cast<int32_t>(std::lround(barGuess / scale)));
    l.barWidth = toDevicePixel(l.barLogicalWidth, scale);
    const int32_t used = l.side + gap + l.barWidth + gap + scaleWidth;
    l.curveX = std::max(0, (width - used) / 2);
    l.barX = l.curveX + l.side + gap;
    l.scaleX = l.barX + l.barWidth + gap;
    l.width = width;
    l.height = l.side;
    return l;
}

GlanceMarks glanceMarks(const GlanceLayout& l, const GlanceState& s)
{
    GlanceMarks marks;
    if (l.side <= 0 || s.bypassed) return marks;
    const double scale = l.scale();
    // The input level at two logical pixels per dB left of the square's right edge; louder
    // than 0 dB stays on the edge, quieter than the square's left edge is not shown.
    const double fromRight = -2.0 * std::min(0.0, static_cast<double>(s.inputDb));
    const int32_t x = truncatePixels((kTransferSide - fromRight) * scale, -1);
    if (x >= 0 && x < l.side)
    {
        marks.pointX = x;
        marks.pointY = truncatePixels(transferCurveRow(s.curve, fromRight) * scale, -1);
    }
    const int32_t maxBar = toDevicePixel(2 + kCompMeterMaxBar, scale) - toDevicePixel(2, scale);
    marks.bar = std::clamp(truncatePixels(barUnits(s) * 10.0 * scale), 0, maxBar);
    return marks;
}

void drawGlance(PixelImage& target, const GlanceLayout& l, const GlanceState& s)
{
    CDrawContext surface(nullptr, target);
    surface.setFillColor(kBlackCColor);
    surface.fillRect(CRect(0, 0, target.getWidth(), target.getHeight()));
    if (l.side <= 0) return;
    drawCurvePart(surface, l, s, glanceMarks(l, s));
    drawBarPart(surface, l, s);
    if (l.ticks) drawScalePart(surface, l, s);
    // Bypassed, the picture stays but steps back: the effect is not what is heard.
    if (s.bypassed)
    {
        surface.setFillColor(kDimmed);
        surface.fillRect(CRect(0, 0, target.getWidth(), target.getHeight()));
    }
}
