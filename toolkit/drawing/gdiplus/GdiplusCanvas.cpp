#include "GdiplusCanvas.h"

#include "CFontDesc.h"
#include "GdiplusFonts.h"
#include "GdiplusText.h"
#include "PixelBlend.h"
#include "PixelImage.h"

#include <windows.h>

#include <gdiplus.h>

#include <algorithm>
#include <cstdlib>

namespace
{
Gdiplus::Color toGdiplus(CColor c)
{
    return Gdiplus::Color(c.alpha, c.red, c.green, c.blue);
}

Gdiplus::Rect toGdiplus(const CRect& r)
{
    return Gdiplus::Rect(r.left, r.top, r.width(), r.height());
}

// A GDI+ view of pixel memory, without a copy.
std::unique_ptr<Gdiplus::Bitmap> wrap(const PixelImage& image)
{
    if (image.isEmpty()) return nullptr;
    auto* bits = reinterpret_cast<BYTE*>(const_cast<uint32_t*>(image.data()));
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(
        image.getWidth(), image.getHeight(), image.getWidth() * 4, PixelFormat32bppPARGB, bits);
    if (bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
    return bitmap;
}

// No padding around the text, trailing spaces measured: the advance, as the placement rule
// expects.
std::unique_ptr<Gdiplus::StringFormat> typographicFormat()
{
    std::unique_ptr<Gdiplus::StringFormat> format(
        Gdiplus::StringFormat::GenericTypographic()->Clone());
    format->SetFormatFlags(format->GetFormatFlags() |
                           Gdiplus::StringFormatFlagsMeasureTrailingSpaces |
                           Gdiplus::StringFormatFlagsNoWrap);
    return format;
}

int gdiplusStyle(int32_t style)
{
    int result = Gdiplus::FontStyleRegular;
    if (style & kBoldFace) result |= Gdiplus::FontStyleBold;
    if (style & kItalicFace) result |= Gdiplus::FontStyleItalic;
    return result;
}
} // namespace

GdiplusCanvas::GdiplusCanvas(PixelImage& target) : target(target)
{
    clip = CRect(0, 0, target.getWidth(), target.getHeight());
    if (!lease.isReady()) return;
    surface = wrap(target);
    if (!surface) return;
    graphics = std::make_unique<Gdiplus::Graphics>(surface.get());
    if (graphics->GetLastStatus() != Gdiplus::Ok)
    {
        graphics.reset();
        return;
    }
    // Pixel centres at half coordinates, no edge smoothing: a rectangle covers exactly its
    // pixels, and images are copied pixel for pixel.
    graphics->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics->SetSmoothingMode(Gdiplus::SmoothingModeNone);
    graphics->SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    graphics->SetCompositingQuality(Gdiplus::CompositingQualityHighSpeed);
    selectFont("Arial", 12, 0);
}

GdiplusCanvas::~GdiplusCanvas()
{
    // Everything GDI+ goes before the lease lets GDI+ shut down.
    font.reset();
    graphics.reset();
    surface.reset();
}

void GdiplusCanvas::setClip(const CRect& clip)
{
    if (!usable()) return;
    this->clip = clip;
    CRect r = clip;
    if (r.isEmpty()) r = CRect(0, 0, 0, 0);
    graphics->SetClip(toGdiplus(r), Gdiplus::CombineModeReplace);
}

void GdiplusCanvas::fillRect(const CRect& r, CColor color)
{
    if (!usable() || r.isEmpty()) return;
    if (color.alpha == 255)
    {
        Gdiplus::SolidBrush brush(toGdiplus(color));
        graphics->FillRectangle(&brush, toGdiplus(r));
        return;
    }
    // Translucent fills: GDI+ rounds the blend differently (see drawImage).
    graphics->Flush(Gdiplus::FlushIntentionSync);
    blendColorOver(target, clip, r, color);
}

void GdiplusCanvas::drawLine(const CPoint& from, const CPoint& to, CColor color, int32_t width)
{
    if (!usable()) return;
    if (width < 1) width = 1;
    if (from.h == to.h || from.v == to.v)
    {
        // A straight line with square caps, centred on the pixels for odd widths and on their
        // edges for even ones: exactly the pixels of this rectangle.
        const int32_t before = width / 2;
        const int32_t after = (width % 2) ? width / 2 + 1 : width / 2;
        fillRect(CRect(std::min(from.h, to.h) - before, std::min(from.v, to.v) - before,
                       std::max(from.h, to.h) + after, std::max(from.v, to.v) + after),
                 color);
        return;
    }
    const double shift = (width % 2) ? 0.5 : 0.0;
    Gdiplus::Pen pen(toGdiplus(color), static_cast<Gdiplus::REAL>(width));
    pen.SetStartCap(Gdiplus::LineCapSquare);
    pen.SetEndCap(Gdiplus::LineCapSquare);
    graphics->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics->SetPixelOffsetMode(Gdiplus::PixelOffsetModeNone);
    graphics->DrawLine(&pen, Gdiplus::PointF(from.h + shift, from.v + shift),
                       Gdiplus::PointF(to.h + shift, to.v + shift));
    graphics->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics->SetSmoothingMode(Gdiplus::SmoothingModeNone);
}

void GdiplusCanvas::selectFont(const char* family, double size, int32_t style)
{
    if (!usable()) return;
    const Gdiplus::FontFamily* found = gdiplusfonts::find(family ? family : "Arial");
    font.reset();
    fontStyle = gdiplusStyle(style);
    if (!found) return;
    font = std::make_unique<Gdiplus::Font>(
        found, static_cast<Gdiplus::REAL>(size >= 1 ? size : 12.0), fontStyle, Gdiplus::UnitPixel);
    if (font->GetLastStatus() != Gdiplus::Ok) font.reset();
}

FontMetrics GdiplusCanvas::fontMetrics()
{
    if (!usable() || !font) return FontMetrics{};
    Gdiplus::FontFamily family;
    font->GetFamily(&family);
    const double em = family.GetEmHeight(fontStyle);
    if (em <= 0) return FontMetrics{};
    const double scale = font->GetSize() / em;
    FontMetrics metrics;
    metrics.ascent = family.GetCellAscent(fontStyle) * scale;
    metrics.descent = family.GetCellDescent(fontStyle) * scale;
    metrics.lineHeight = family.GetLineSpacing(fontStyle) * scale;
    return metrics;
}

double GdiplusCanvas::textWidth(const char* utf8)
{
    if (!usable() || !font || !utf8 || !*utf8) return 0;
    const std::wstring text = widen(utf8);
    const auto format = typographicFormat();
    graphics->SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
    Gdiplus::RectF bounds;
    graphics->MeasureString(text.c_str(), static_cast<INT>(text.size()), font.get(),
                            Gdiplus::PointF(0, 0), format.get(), &bounds);
    return bounds.Width;
}

void GdiplusCanvas::drawText(const char* utf8, double x, double baseline, CColor color,
                             bool antialias)
{
    if (!usable() || !font || !utf8 || !*utf8) return;
    const std::wstring text = widen(utf8);
    const auto format = typographicFormat();
    graphics->SetTextRenderingHint(antialias ? Gdiplus::TextRenderingHintAntiAliasGridFit
                                             : Gdiplus::TextRenderingHintSystemDefault);
    Gdiplus::SolidBrush brush(toGdiplus(color));
    // GDI+ places a line by its top: the baseline minus the family's ascent.
    const double top = baseline - fontMetrics().ascent;
    graphics->DrawString(
        text.c_str(), static_cast<INT>(text.size()), font.get(),
        Gdiplus::PointF(static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(top)),
        format.get(), &brush);
}

void GdiplusCanvas::blit(const PixelImage& image, const CRect& dest, const CPoint& srcOrigin)
{
    const CRect part = imageCoverage(image, dest, srcOrigin);
    if (part.isEmpty()) return;
    std::unique_ptr<Gdiplus::Bitmap> source = wrap(image);
    if (!source) return;
    const INT srcX = part.left - dest.left + srcOrigin.h;
    const INT srcY = part.top - dest.top + srcOrigin.v;
    graphics->DrawImage(source.get(), toGdiplus(part), srcX, srcY, part.width(), part.height(),
                        Gdiplus::UnitPixel);
}

void GdiplusCanvas::drawImage(const PixelImage& image, const CRect& dest, const CPoint& srcOrigin,
                              uint8_t alpha)
{
    if (!usable()) return;
    // GDI+ rounds its alpha blending differently from one version to the next (and from
    // cairo) by one level on anti-aliased edges; our own "over" makes every build draw the
    // editor's images on exactly the same pixels. GDI+ has written everything before it.
    graphics->Flush(Gdiplus::FlushIntentionSync);
    blendImageOver(target, clip, image, dest, srcOrigin, alpha);
}

void GdiplusCanvas::copyImage(const PixelImage& image, const CRect& dest, const CPoint& srcOrigin)
{
    if (!usable()) return;
    graphics->SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    blit(image, dest, srcOrigin);
    graphics->SetCompositingMode(Gdiplus::CompositingModeSourceOver);
}

std::unique_ptr<Canvas> createCanvas(PixelImage& target)
{
    return std::make_unique<GdiplusCanvas>(target);
}
