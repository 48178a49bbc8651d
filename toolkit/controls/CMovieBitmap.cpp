#include "CMovieBitmap.h"

#include "CBitmap.h"

#include <algorithm>
#include <cstring>

CMovieBitmap::CMovieBitmap(const CRect& size, CControlListener* listener, int32_t tag,
                           CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset),
      subPixmaps(background && size.height() > 0 ? background->getHeight() / size.height() : 0),
      heightOfOneImage(size.height())
{
}

CMovieBitmap::CMovieBitmap(const CRect& size, CControlListener* listener, int32_t tag,
                           int32_t subPixmaps, int32_t heightOfOneImage, CBitmap* background,
                           const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), subPixmaps(subPixmaps),
      heightOfOneImage(heightOfOneImage)
{
}

int32_t CMovieBitmap::frameIndex() const
{
    const double v = std::min(value, 1.f);
    if (!(v > 0) || subPixmaps <= 1) return 0;
    return std::min(subPixmaps - 1, static_cast<int32_t>(v * (subPixmaps - 1) + 0.5));
}

void CMovieBitmap::draw(CDrawContext* context)
{
    if (pBackground)
    {
        CRect r(size);
        const CPoint where(offset.h, offset.v + frameIndex() * heightOfOneImage);
        pBackground->draw(context, r, where);
    }
    setDirty(false);
}

bool CMovieBitmap::isTypeOf(const char* name) const
{
    return (name && std::strcmp(name, "CMovieBitmap") == 0) || CControl::isTypeOf(name);
}
