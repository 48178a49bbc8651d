#include "CTransferFunction.h"

#include "CFontDesc.h"
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
    COffscreenContext offscreen(getFrame(), kSide, kSide, kBlackCColor);
    offscreen.setClipRect(CRect(0, 0, kSide, kSide));
    offscreen.setFillColor(kBlackCColor);
    offscreen.setFrameColor(displaycolours::kWellOutline);
    offscreen.fillRect(CRect(0, 0, kSide, kSide));

    // Rows of the output levels threshold + make-up and (threshold - knee) + make-up.
    const TransferCurveSettings& s = settings;
    const int32_t thresholdRow = -truncatePixels(s.threshold * 2.0 + s.makeUp * 2.0, kOffBitmap);
    const int32_t kneeRow =
        -truncatePixels((s.threshold - s.knee) * 2.0 + s.makeUp * 2.0, kOffBitmap);

    offscreen.setFillColor(kKneeBand);
    if (kneeRow > thresholdRow) offscreen.fillRect(CRect(1, thresholdRow, kSide - 1, kneeRow));
    drawDiagonal(offscreen);
    offscreen.setFillColor(displaycolours::kAlarmRed);
    offscreen.fillRect(CRect(1, thresholdRow, kSide - 1, thresholdRow + 1));
    drawCurve(offscreen);

    offscreen.drawRect(CRect(0, 0, kSide, kSide), kDrawStroked);
    shadeCorners(offscreen, getWidth(), getHeight());
    drawShares(offscreen);

    offscreen.copyFrom(context, size, CPoint(0, 0));
    setDirty(false);
}

// 2 x 1 dots where output equals input; the first dot lies just below the square.
void CTransferFunction::drawDiagonal(CDrawContext& context) const
{
    context.setFillColor(kDiagonal);
    for (int32_t i = 0; i < kSide; ++i)
        context.fillRect(CRect(i, kSide - i, i + 2, kSide + 1 - i));
}

void CTransferFunction::drawCurve(CDrawContext& context) const
{
    context.setFillColor(displaycolours::kCyan);
    for (int32_t i = 0; i < kSide; ++i)
    {
        // A curve that is not a number (absurd settings) draws no dot rather than a wrong one.
        const int32_t y = truncatePixels(transferCurveRow(settings, kSide - i), kOffBitmap);
        context.fillRect(CRect(i, y, i + 2, y + 1));
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
