#include "CDrawContext.h"

#include "CFontDesc.h"
#include "Canvas.h"
#include "DeviceScale.h"
#include "ImageResample.h"
#include "PixelBlend.h"
#include "PixelImage.h"
#include "Utf8Text.h"

#include <algorithm>
#include <cmath>

CDrawContext::CDrawContext(CFrame* frame, PixelImage& target)
    : frame(frame), target(target), canvas(createCanvas(target)),
      clipRect(0, 0, target.getWidth(), target.getHeight()), font(kNormalFont)
{
    logicalSize = CPoint(target.getWidth(), target.getHeight());
    deviceClip = clipRect;
    font->remember();
    fontSize = font->getSize();
    fontStyle = font->getStyle();
}

CDrawContext::~CDrawContext()
{
    font->forget();
}

void CDrawContext::setDeviceScale(double deviceScale, const CRect& place)
{
    scale = deviceScale;
    deviceOrigin = place.getTopLeft();
    logicalSize = CPoint(place.width(), place.height());
    resetClipRect();
}

int32_t CDrawContext::toDeviceX(int32_t x) const
{
    return toDevicePixel(x + deviceOrigin.h, scale) - toDevicePixel(deviceOrigin.h, scale);
}

int32_t CDrawContext::toDeviceY(int32_t y) const
{
    return toDevicePixel(y + deviceOrigin.v, scale) - toDevicePixel(deviceOrigin.v, scale);
}

CRect CDrawContext::toDevice(const CRect& r) const
{
    return CRect(toDeviceX(r.left), toDeviceY(r.top), toDeviceX(r.right), toDeviceY(r.bottom));
}

void CDrawContext::applyClip()
{
    CRect effective = clipRect;
    if (!clipLimit.isEmpty()) effective.bound(clipLimit);
    deviceClip = toDevice(effective);
    canvas->setClip(deviceClip);
}

void CDrawContext::fillDeviceRect(const CRect& deviceRect)
{
    if (!deviceRect.isEmpty()) canvas->fillRect(deviceRect, fillColor);
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
    setClipRect(CRect(0, 0, logicalSize.h, logicalSize.v));
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
        canvas->fillRect(toDevice(rect), fillColor);
    if (drawStyle == kDrawFilled) return;
    // The border lies inside the rectangle, as four bands that never overlap, so a
    // translucent frame colour blends once everywhere.
    const int32_t w = std::max(1, lineWidth);
    const int32_t l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    const int32_t innerTop = std::min(b, t + w);
    const int32_t innerBottom = std::max(innerTop, b - w);
    canvas->fillRect(toDevice(CRect(l, t, r, innerTop)), frameColor);
    canvas->fillRect(toDevice(CRect(l, innerBottom, r, b)), frameColor);
    const int32_t innerLeft = std::min(r, l + w);
    const int32_t innerRight = std::max(innerLeft, r - w);
    canvas->fillRect(toDevice(CRect(l, innerTop, innerLeft, innerBottom)), frameColor);
    canvas->fillRect(toDevice(CRect(innerRight, innerTop, r, innerBottom)), frameColor);
}

void CDrawContext::lineTo(const CPoint& point)
{
    if (scale == 1.0)
        canvas->drawLine(penPos, point, frameColor, lineWidth);
    else
        drawLineAtScale(penPos, point);
    penPos = point;
}

// A straight line covers whole logical pixels (its width across, both end pixels along, as at
// scale 1), so it becomes the device pixels of that band: as sharp as a fill. A slanted line is
// stroked between the device positions of its ends.
void CDrawContext::drawLineAtScale(const CPoint& from, const CPoint& to)
{
    const int32_t w = std::max(1, lineWidth);
    if (from.h == to.h || from.v == to.v)
    {
        const int32_t l = std::min(from.h, to.h), r = std::max(from.h, to.h);
        const int32_t t = std::min(from.v, to.v), b = std::max(from.v, to.v);
        const CRect band(l - w / 2, t - w / 2, r - w / 2 + w, b - w / 2 + w);
        canvas->fillRect(toDevice(band), frameColor);
        return;
    }
    const auto deviceWidth = static_cast<int32_t>(std::lround(w * scale));
    canvas->drawLine(CPoint(toDeviceX(from.h), toDeviceY(from.v)),
                     CPoint(toDeviceX(to.h), toDeviceY(to.v)), frameColor, deviceWidth);
}

void CDrawContext::drawString(const char* string, const CRect& rect, const short opaque,
                              const CHoriTxtAlign hAlign)
{
    drawString(string, rect, opaque, hAlign, true);
}

double CDrawContext::stringWidth(const char* utf8, double size)
{
    canvas->selectFont(font->getName(), size, fontStyle);
    return canvas->textWidth(utf8);
}

// The placement rule is worked in device pixels with every length scaled: the rectangle, the
// font size and the reference line (which keeps its logical rounding), so the text at scale s
// sits where s times the scale-1 text would, to the device pixel.
void CDrawContext::drawString(const char* string, const CRect& rect, const short opaque,
                              const CHoriTxtAlign hAlign, const bool antialias)
{
    if (!string || !*string) return;
    const std::string text = toValidUtf8(string);

    const CRect savedClip = clipRect;
    CRect textClip = rect;
    setClipRect(textClip.bound(clipRect));
    const CRect deviceRect = toDevice(rect);
    if (opaque) canvas->fillRect(deviceRect, fillColor);

    const double width = stringWidth(text.c_str(), fontSize * scale);
    double x = deviceRect.left;
    if (hAlign == kCenterText)
        x = std::trunc(deviceRect.left + deviceRect.width() / 2.0 - width / 2.0);
    else if (hAlign == kRightText)
        x = deviceRect.right - width;

    // Reference line from the rectangle's height and the font size, halves truncated; the
    // text's line box ends one pixel below it.
    const int32_t referenceY = rect.bottom - (rect.height() / 2 - fontSize / 2 + 1);
    const FontMetrics metrics = canvas->fontMetrics();
    const double top = toDeviceY(referenceY + 1) - metrics.lineHeight;
    const double baseline = std::round(top + metrics.ascent);
    canvas->drawText(text.c_str(), x, baseline, fontColor, antialias);
    if (fontStyle & kUnderlineFace)
    {
        const auto thickness = static_cast<int32_t>(std::max(1.0, std::round(scale)));
        const auto underlineTop = static_cast<int32_t>(baseline) + thickness;
        canvas->fillRect(CRect(static_cast<int32_t>(x), underlineTop,
                               static_cast<int32_t>(x + width), underlineTop + thickness),
                         fontColor);
    }
    setClipRect(savedClip);
}

// Measured at the logical size, so layouts built on it are the same at every scale.
int32_t CDrawContext::getStringWidth(const char* string)
{
    if (!string || !*string) return 0;
    return static_cast<int32_t>(std::lround(stringWidth(toValidUtf8(string).c_str(), fontSize)));
}

void CDrawContext::drawImage(const PixelImage& image, const PixelImage* doubled, const CRect& rect,
                             const CPoint& offset, uint8_t alpha)
{
    if (scale == 1.0)
    {
        canvas->drawImage(image, rect, offset, alpha);
        return;
    }
    const CRect part = imageCoverage(image, rect, offset);
    if (part.isEmpty() || alpha == 0) return;
    const bool useDoubled = doubled && doubled->getWidth() == 2 * image.getWidth() &&
                            doubled->getHeight() == 2 * image.getHeight();
    const PixelImage& source = useDoubled ? *doubled : image;
    const int32_t k = useDoubled ? 2 : 1;
    const CPoint from((part.left - rect.left + offset.h) * k, (part.top - rect.top + offset.v) * k);
    const CRect sourceRect(from, CPoint(part.width() * k, part.height() * k));
    const CRect device = toDevice(part);
    if (device.width() == sourceRect.width() && device.height() == sourceRect.height())
    {
        canvas->drawImage(source, device, from, alpha);
        return;
    }
    CRect visible = device;
    visible.bound(deviceClip);
    if (visible.isEmpty()) return;
    CRect within = visible;
    within.offset(-device.left, -device.top);
    const PixelImage piece =
        resampleArea(source, sourceRect, device.width(), device.height(), within);
    canvas->drawImage(piece, visible, CPoint(0, 0), alpha);
}
