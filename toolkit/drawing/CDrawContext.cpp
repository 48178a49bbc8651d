#include "CDrawContext.h"

#include "CFontDesc.h"
#include "Canvas.h"
#include "PixelImage.h"
#include "Utf8Text.h"

#include <algorithm>
#include <cmath>

CDrawContext::CDrawContext(CFrame* frame, PixelImage& target)
    : frame(frame), target(target), canvas(createCanvas(target)),
      clipRect(0, 0, target.getWidth(), target.getHeight()), font(kNormalFont)
{
    font->remember();
    fontSize = font->getSize();
    fontStyle = font->getStyle();
}

CDrawContext::~CDrawContext()
{
    font->forget();
}

void CDrawContext::applyClip()
{
    CRect effective = clipRect;
    if (!clipLimit.isEmpty()) effective.bound(clipLimit);
    canvas->setClip(effective);
}

void CDrawContext::setClipRect(const CRect& clip)
{
    clipRect = clip;
    applyClip();
}

CRect& CDrawContext::getClipRect(CRect& clip) const
{
    clip = clipRect;
    if (!clipLimit.isEmpty()) clip.bound(clipLimit);
    return clip;
}

void CDrawContext::resetClipRect()
{
    setClipRect(CRect(0, 0, target.getWidth(), target.getHeight()));
}

void CDrawContext::setClipLimit(const CRect& limit)
{
    clipLimit = limit;
    applyClip();
}

void CDrawContext::setFont(const CFontDesc* newFont, const int32_t& size, const int32_t& style)
{
    if (!newFont) return;
    auto* f = const_cast<CFontDesc*>(newFont);
    f->remember();
    font->forget();
    font = f;
    fontSize = size >= 1 ? size : font->getSize();
    fontStyle = style != -1 ? style : font->getStyle();
}

const CFontDesc* CDrawContext::getFont() const
{
    return font;
}

void CDrawContext::drawRect(const CRect& rect, const CDrawStyle drawStyle)
{
    if (rect.isEmpty()) return;
    if (drawStyle == kDrawFilled || drawStyle == kDrawFilledAndStroked)
        canvas->fillRect(rect, fillColor);
    if (drawStyle == kDrawFilled) return;
    // The border lies inside the rectangle, as four bands that never overlap, so a
    // translucent frame colour blends once everywhere.
    const int32_t w = std::max(1, lineWidth);
    const int32_t l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    const int32_t innerTop = std::min(b, t + w);
    const int32_t innerBottom = std::max(innerTop, b - w);
    canvas->fillRect(CRect(l, t, r, innerTop), frameColor);
    canvas->fillRect(CRect(l, innerBottom, r, b), frameColor);
    const int32_t innerLeft = std::min(r, l + w);
    const int32_t innerRight = std::max(innerLeft, r - w);
    canvas->fillRect(CRect(l, innerTop, innerLeft, innerBottom), frameColor);
    canvas->fillRect(CRect(innerRight, innerTop, r, innerBottom), frameColor);
}

void CDrawContext::lineTo(const CPoint& point)
{
    canvas->drawLine(penPos, point, frameColor, lineWidth);
    penPos = point;
}

void CDrawContext::drawString(const char* string, const CRect& rect, const short opaque,
                              const CHoriTxtAlign hAlign)
{
    drawString(string, rect, opaque, hAlign, true);
}

double CDrawContext::stringWidth(const char* utf8)
{
    canvas->selectFont(font->getName(), fontSize, fontStyle);
    return canvas->textWidth(utf8);
}

void CDrawContext::drawString(const char* string, const CRect& rect, const short opaque,
                              const CHoriTxtAlign hAlign, const bool antialias)
{
    if (!string || !*string) return;
    const std::string text = toValidUtf8(string);

    const CRect savedClip = clipRect;
    CRect textClip = rect;
    setClipRect(textClip.bound(clipRect));
    if (opaque) canvas->fillRect(rect, fillColor);

    const double width = stringWidth(text.c_str());
    double x = rect.left;
    if (hAlign == kCenterText)
        x = std::trunc(rect.left + rect.width() / 2.0 - width / 2.0);
    else if (hAlign == kRightText)
        x = rect.right - width;

    // Reference line from the rectangle's height and the font size, halves truncated; the
    // text's line box ends one pixel below it.
    const int32_t referenceY = rect.bottom - (rect.height() / 2 - fontSize / 2 + 1);
    const FontMetrics metrics = canvas->fontMetrics();
    const double top = referenceY + 1 - metrics.lineHeight;
    const double baseline = std::round(top + metrics.ascent);
    canvas->drawText(text.c_str(), x, baseline, fontColor, antialias);
    if (fontStyle & kUnderlineFace)
        canvas->fillRect(CRect(static_cast<int32_t>(x), static_cast<int32_t>(baseline) + 1,
                               static_cast<int32_t>(x + width), static_cast<int32_t>(baseline) + 2),
                         fontColor);
    setClipRect(savedClip);
}

int32_t CDrawContext::getStringWidth(const char* string)
{
    if (!string || !*string) return 0;
    return static_cast<int32_t>(std::lround(stringWidth(toValidUtf8(string).c_str())));
}
