#pragma once

#include "TransferCurve.h"

#include <cstdint>

class PixelImage;

// The compressor at a glance, for a host's mixer strip: the transfer-curve picture with the
// current operating point on it, the gain-reduction bar beside it and, where there is room,
// the bar's dB scale. It is drawn with the editor's own display rules at a device scale that
// fits the host's width, so it stays sharp at every size.

// What the picture shows.
struct GlanceState
{
    TransferCurveSettings curve;
    float meterScale = 0.0f;  // normalised "Meter Scale": the bar's full scale
    float inputDb = -100.0f;  // the detector's fast level
    float reductionDb = 0.0f; // gain reduction, positive while reducing
    bool bypassed = false;
};

// Where the parts go in a picture for a host's width and height limit (device pixels).
// The small-size rule: the dB labels need a width of kLabelsFrom pixels, the scale's ticks
// kTicksFrom; the curve, its threshold line, the operating point and the bar are always there.
struct GlanceLayout
{
    static constexpr std::int32_t kMinWidth = 24;
    static constexpr std::int32_t kTicksFrom = 60;
    static constexpr std::int32_t kLabelsFrom = 150;

    std::int32_t width = 0, height = 0; // 0 x 0: too small to draw anything
    std::int32_t curveX = 0, side = 0;  // the curve's square, top at row 0
    std::int32_t barX = 0, barWidth = 0, barLogicalWidth = 0;
    std::int32_t scaleX = 0;
    bool ticks = false, labels = false;
    // Device pixels per logical pixel of the editor's displays.
    double scale() const;
};
GlanceLayout glanceLayout(std::int32_t width, std::int32_t maxHeight);

// The device pixels the moving parts land on; a picture needs drawing again when these or the
// curve's settings change. A part not shown is -1 (the point) or 0 (the bar).
struct GlanceMarks
{
    std::int32_t pointX = -1, pointY = -1, bar = 0;
    bool operator==(const GlanceMarks& o) const
    {
        return pointX == o.pointX && pointY == o.pointY && bar == o.bar;
    }
};
GlanceMarks glanceMarks(const GlanceLayout& layout, const GlanceState& state);

// Draws into `target`, which must be layout.width x layout.height.
void drawGlance(PixelImage& target, const GlanceLayout& layout, const GlanceState& state);
