#include "CAnimKnob.h"

#include "CBitmap.h"

#include <algorithm>
#include <cstring>

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag,
                     CBitmap* background, const CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset),
      subPixmaps(background && size.height() > 0 ? background->getHeight() / size.height() : 0),
      heightOfOneImage(size.height())
{
}

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
                     int32_t heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset), subPixmaps(subPixmaps),
      heightOfOneImage(heightOfOneImage)
{
}

int32_t CAnimKnob::frameIndex() const
{
    if (subPixmaps <= 1 || heightOfOneImage <= 0 || !(value >= 0.f)) return 0;
    const int32_t lastFrame = subPixmaps - 1;
    // The pixel offset into the strip, truncated, then rounded down to a whole frame.
    const float strip = static_cast<float>(heightOfOneImage) * static_cast<float>(lastFrame);
    const float position = value * strip;
    if (position >= strip) return lastFrame;
    return std::min(lastFrame, static_cast<int32_t>(position) / heightOfOneImage);
}

void CAnimKnob::draw(CDrawContext* context)
{
    if (pBackground)
    {
        CRect r(size);
        const CPoint where(offset.h, offset.v + frameIndex() * heightOfOneImage);
        pBackground->draw(context, r, where);
    }
    setDirty(false);
}

bool CAnimKnob::isTypeOf(const char* name) const
{
    return (name && std::strcmp(name, "CAnimKnob") == 0) || CKnob::isTypeOf(name);
}
