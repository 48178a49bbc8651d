#include "CScala.h"

#include "CFontDesc.h"
#include "DisplayColours.h"
#include "MeterScale.h"
#include "drawing/COffscreenContext.h"

#include <cstdio>
#include <cstring>

namespace
{
// The area that answers clicks: over the level meter on the left, the gain-reduction meter
// on the right, and up to the meters' caption.
constexpr int32_t kMouseLeft = 10;
constexpr int32_t kMouseUp = 26;
constexpr int32_t kMouseRight = 50;
constexpr int32_t kMouseDown = 10;

constexpr int32_t kLabelRight = 17;
constexpr int32_t kMajorTickStart = 20;
constexpr int32_t kMinorTickStart = 21;
} // namespace

CScala::CScala(const CRect& size, CControlListener* listener, int32_t tag)
    : CControl(size, listener, tag, nullptr)
{
    setMouseableArea(CRect(size.left - kMouseLeft, size.top - kMouseUp, size.right + kMouseRight,
                           size.bottom + kMouseDown));
}

CScala::~CScala() = default;

int CScala::settingOf(float value)
{
    return meterscale::settingOf(value);
}

float CScala::meterFactor(float value)
{
    return meterscale::meterFactor(value);
}

int CScala::tickLabel(float value, int tick)
{
    return meterscale::tickLabel(value, tick);
}

// The steps compare exactly: a host value between the four steps starts over at 0.
float CScala::nextStep(float value)
{
    if (value == 0.0f) return 0.25f;
    if (value == 0.25f) return 0.5f;
    if (value == 0.5f) return 0.75f;
    return 0.0f;
}

float CScala::previousStep(float value)
{
    if (value == 0.0f) return 0.75f;
    if (value == 0.75f) return 0.5f;
    if (value == 0.5f) return 0.25f;
    return 0.0f;
}

CMouseEventResult CScala::onMouseDown(CPoint&, const int32_t& buttons)
{
    const bool left = (buttons & kLButton) != 0;
    const bool right = (buttons & kRButton) != 0;
    if (!left && !right) return kMouseEventNotHandled;

    beginEdit();
    value = left ? nextStep(value) : previousStep(value);
    if (listener) listener->valueChanged(this);
    if (isDirty()) invalid();
    endEdit();
    return kMouseEventHandled;
}

void CScala::draw(CDrawContext* context)
{
    const int32_t w = getWidth();
    const int32_t h = getHeight();
    COffscreenContext offscreen(getFrame(), size, kBlackCColor);
    offscreen.setClipRect(CRect(0, 0, w, h));
    offscreen.setFillColor(kBlackCColor);
    offscreen.fillRect(CRect(0, 0, w, h));

    offscreen.setFont(kNormalFontVerySmall);
    offscreen.setFontColor(kWhiteCColor);
    offscreen.setFrameColor(displaycolours::kWellOutline);
    offscreen.setLineWidth(1);

    for (int32_t i = 0; i < kTickCount; ++i)
    {
        const int32_t y = kFirstTickRow + kTickSpacing * i;
        const bool major = i % 4 == 0;
        if (major)
        {
            char label[16];
            std::snprintf(label, sizeof label, "%d", -tickLabel(value, i));
            offscreen.drawString(label, CRect(1, y - 6, kLabelRight, y + 6), 0, kRightText);
        }
        offscreen.moveTo(CPoint(major ? kMajorTickStart : kMinorTickStart, y));
        offscreen.lineTo(CPoint(w - 1, y));
    }

    offscreen.copyFrom(context, size, CPoint(0, 0));
    setDirty(false);
}

bool CScala::isTypeOf(const char* name) const
{
    return std::strcmp(name, "CScala") == 0 || CControl::isTypeOf(name);
}
