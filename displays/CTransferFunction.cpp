#include "CTransferFunction.h"

#include "CFontDesc.h"
#include "DeviceLines.h"
#include "DisplayColours.h"
#include "PixelMath.h"
#include "drawing/COffscreenContext.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace
{
constexpr CColor kKneeBand = {255, 20, 0, 30};
constexpr CColor kDiagonal = {0, 41, 51, 255};
constexpr CColor kDimmedLabel = {0, 204, 255, 135};
constexpr CRect kWetLabel(83, 115, 137, 129);
constexpr CRect kDryLabel(27, 115, 81, 129);
// Below this attenuation the dry signal is shown as a share; at Dry Mix 0 % it reads 0.
constexpr float kAudibleDryLimit = 59.9f;
// Where rows that are not a number end up: far outside the bitmap.
constexpr int32_t kOffBitmap = -1000000;
} // namespace

CTransferFunction::CTransferFunction(const CRect& size, CControlListener* listener, int32_t tag)
    : CControl(size, listener, tag, nullptr)
{
}

CTransferFunction::~CTransferFunction() = default;

void CTransferFunction::draw(CDrawContext* context)
{
    const CRect square(size.left, size.top, size.left + kSide, size.top + kSide);
    COffscreenContext offscreen(getFrame(), square, kBlackCColor);
    offscreen.setClipRect(CRect(0, 0, kSide, kSide));
    offscreen.setFillColor(kBlackCColor);
    offscreen.setFrameColor(displaycolours::kWellOutline);
    offscreen.fillRect(CRect(0, 0, kSide, kSide));

    // Rows of the output levels threshold + make-up and (threshold - knee) + make-up.
    // Device rows, from levels at two logical pixels per dB.
    const TransferCurveSettings& s = settings;
    const double scale = offscreen.getScale();
    const int32_t thresholdRow =
        -truncatePixels((s.threshold * 2.0 + s.makeUp * 2.0) * scale, kOffBitmap);
    const int32_t kneeRow =
        -truncatePixels(((s.threshold - s.knee) * 2.0 + s.makeUp * 2.0) * scale, kOffBitmap);
    const int32_t left = offscreen.toDeviceX(1), right = offscreen.toDeviceX(kSide - 1);

    offscreen.setFillColor(kKneeBand);
    if (kneeRow > thresholdRow) offscreen.fillDeviceRect(CRect(left, thresholdRow, right, kneeRow));
    drawDiagonal(offscreen);
    offscreen.setFillColor(displaycolours::kAlarmRed);
    offscreen.fillDeviceRect(
        CRect(left, thresholdRow, right, thresholdRow + deviceLineWidth(offscreen)));
    drawCurve(offscreen);

    offscreen.drawRect(CRect(0, 0, kSide, kSide), kDrawStroked);
    shadeCorners(offscreen, getWidth(), getHeight());
    drawShares(offscreen);

    offscreen.copyFrom(context, size, CPoint(0, 0));
    setDirty(false);
}

// 2 x 1 dots (logical pixels) where output equals input, one per device column; the first dot
// lies just below the square.
void CTransferFunction::drawDiagonal(CDrawContext& context) const
{
    context.setFillColor(kDiagonal);
    const int32_t side = context.toDeviceX(kSide);
    const int32_t line = deviceLineWidth(context), dot = 2 * line;
    for (int32_t i = 0; i < side; ++i)
        context.fillDeviceRect(CRect(i, side - i, i + dot, side + line - i));
}

// The curve is worked out for every device column, so a larger window shows a finer curve.
void CTransferFunction::drawCurve(CDrawContext& context) const
{
    context.setFillColor(displaycolours::kCyan);
    const double scale = context.getScale();
    const int32_t side = context.toDeviceX(kSide);
    const int32_t line = deviceLineWidth(context), dot = 2 * line;
    for (int32_t i = 0; i < side; ++i)
    {
        // A curve that is not a number (absurd settings) draws no dot rather than a wrong one.
        const double row = transferCurveRow(settings, kSide - i / scale);
        const int32_t y = truncatePixels(row * scale, kOffBitmap);
        context.fillDeviceRect(CRect(i, y, i + dot, y + line));
    }
}

CTransferFunction::Shares CTransferFunction::shares() const
{
    const float attenuation = static_cast<float>(settings.dryAttenuation);
    float dry =
        attenuation <= kAudibleDryLimit ? std::exp(-attenuation * 0.115129254758358f) : 0.0f;
    float wet = static_cast<float>(std::pow(10.0, settings.makeUp / 20.0));
    const float sum = wet + dry;
    if (sum > 0.0f && std::isfinite(sum))
    {
        const float reciprocal = 1.0f / sum;
        wet *= reciprocal;
        dry *= reciprocal;
    }
    else
    {
        wet = 0.0f;
        dry = 0.0f;
    }
    Shares result{};
    std::snprintf(result.wet, sizeof result.wet, "wet %1.0f%%", double(wet * 100.0f));
    std::snprintf(result.dry, sizeof result.dry, "dry %1.0f%%", double(dry * 100.0f));
    result.dryAudible = dry != 0.0f;
    return result;
}

void CTransferFunction::drawShares(CDrawContext& context) const
{
    const Shares text = shares();
    context.setFont(kNormalFontVerySmall);
    context.setFontColor(text.dryAudible ? displaycolours::kCyan : kDimmedLabel);
    context.drawString(text.wet, kWetLabel, 0, kLeftText);
    context.drawString(text.dry, kDryLabel, 0, kRightText);
}

bool CTransferFunction::isTypeOf(const char* name) const
{
    return std::strcmp(name, "CTransferFunction") == 0 || CControl::isTypeOf(name);
}
