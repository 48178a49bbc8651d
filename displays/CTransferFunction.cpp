#include "CTransferFunction.h"

#include "CFontDesc.h"
#include "DisplayColours.h"
#include "TransferPicture.h"
#include "drawing/COffscreenContext.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace
{
constexpr CColor kDimmedLabel = {0, 204, 255, 135};
constexpr CRect kWetLabel(83, 115, 137, 129);
constexpr CRect kDryLabel(27, 115, 81, 129);
// Below this attenuation the dry signal is shown as a share; at Dry Mix 0 % it reads 0.
constexpr float kAudibleDryLimit = 59.9f;
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
    drawTransferPicture(offscreen, settings);
    shadeCorners(offscreen, getWidth(), getHeight());
    drawShares(offscreen);

    offscreen.copyFrom(context, size, CPoint(0, 0));
    setDirty(false);
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
