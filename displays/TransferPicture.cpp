#include "TransferPicture.h"

#include "DeviceLines.h"
#include "DisplayColours.h"
#include "PixelMath.h"
#include "drawing/CDrawContext.h"

namespace
{
constexpr CColor kKneeBand = {255, 20, 0, 30};
constexpr CColor kDiagonal = {0, 41, 51, 255};
// Where rows that are not a number end up: far outside the bitmap.
constexpr int32_t kOffBitmap = -1000000;

// 2 x 1 dots (logical pixels) where output equals input, one per device column; the first dot
// lies just below the square.
void drawDiagonal(CDrawContext& context)
{
    context.setFillColor(kDiagonal);
    const int32_t side = context.toDeviceX(kTransferSide);
    const int32_t line = deviceLineWidth(context), dot = 2 * line;
    for (int32_t i = 0; i < side; ++i)
        context.fillDeviceRect(CRect(i, side - i, i + dot, side + line - i));
}

// The curve is worked out for every device column, so a larger picture shows a finer curve.
void drawCurve(CDrawContext& context, const TransferCurveSettings& settings)
{
    context.setFillColor(displaycolours::kCyan);
    const double scale = context.getScale();
    const int32_t side = context.toDeviceX(kTransferSide);
    const int32_t line = deviceLineWidth(context), dot = 2 * line;
    for (int32_t i = 0; i < side; ++i)
    {
        // A curve that is not a number (absurd settings) draws no dot rather than a wrong one.
        const double row = transferCurveRow(settings, kTransferSide - i / scale);
        const int32_t y = truncatePixels(row * scale, kOffBitmap);
        context.fillDeviceRect(CRect(i, y, i + dot, y + line));
    }
}
} // namespace

int32_t transferDeviceRow(const CDrawContext& context, double outputDb)
{
    return -truncatePixels(outputDb * 2.0 * context.getScale(), kOffBitmap);
}

void drawTransferPicture(CDrawContext& context, const TransferCurveSettings& s)
{
    const CRect square(0, 0, kTransferSide, kTransferSide);
    context.setClipRect(square);
    context.setFillColor(kBlackCColor);
    context.setFrameColor(displaycolours::kWellOutline);
    context.fillRect(square);

    // Rows of the output levels threshold + make-up and (threshold - knee) + make-up.
    const int32_t thresholdRow = transferDeviceRow(context, s.threshold + s.makeUp);
    const int32_t kneeRow = transferDeviceRow(context, s.threshold - s.knee + s.makeUp);
    const int32_t left = context.toDeviceX(1), right = context.toDeviceX(kTransferSide - 1);

    context.setFillColor(kKneeBand);
    if (kneeRow > thresholdRow) context.fillDeviceRect(CRect(left, thresholdRow, right, kneeRow));
    drawDiagonal(context);
    context.setFillColor(displaycolours::kAlarmRed);
    context.fillDeviceRect(
        CRect(left, thresholdRow, right, thresholdRow + deviceLineWidth(context)));
    drawCurve(context, s);
    context.drawRect(square, kDrawStroked);
}
