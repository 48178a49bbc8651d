#include "CairoCanvas.h"

#include "CairoFonts.h"
#include "PixelBlend.h"
#include "PixelImage.h"

#include <algorithm>

namespace
{
// A cairo view of pixel memory; cairo only reads it when used as a source.
cairo_surface_t* wrap(const PixelImage& image)
{
    if (image.isEmpty()) return nullptr;
    auto* data = reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(image.data()));
    return cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, image.getWidth(),
                                               image.getHeight(), image.getWidth() * 4);
}

} // namespace

CairoCanvas::CairoCanvas(PixelImage& target)
{
    surface = wrap(target);
    if (!surface) surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 0, 0);
    cr = cairo_create(surface);
    clip = CRect(0, 0, target.getWidth(), target.getHeight());
    face = findFontFace("Arial", 0);
}

CairoCanvas::~CairoCanvas()
{
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    cairo_surface_destroy(surface);
}

void CairoCanvas::recover()
{
    if (cairo_status(cr) == CAIRO_STATUS_SUCCESS) return;
    cairo_destroy(cr);
    cr = cairo_create(surface);
    setClip(clip);
}

void CairoCanvas::setClip(const CRect& r)
{
    clip = r;
    cairo_reset_clip(cr);
    cairo_rectangle(cr, r.left, r.top, std::max(0, r.width()), std::max(0, r.height()));
    cairo_clip(cr);
}

void CairoCanvas::setSourceColor(CColor c)
{
    cairo_set_source_rgba(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0, c.alpha / 255.0);
}

void CairoCanvas::fillRect(const CRect& r, CColor color)
{
    if (r.isEmpty()) return;
    setSourceColor(color);
    cairo_rectangle(cr, r.left, r.top, r.width(), r.height());
    cairo_fill(cr);
    recover();
}

void CairoCanvas::drawLine(const CPoint& from, const CPoint& to, CColor color, int32_t width)
{
    if (width < 1) width = 1;
    // Odd widths sit on pixel centres, even ones on pixel edges, so straight lines are crisp;
    // square caps include both end pixels.
    const double shift = (width % 2) ? 0.5 : 0.0;
    setSourceColor(color);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    cairo_move_to(cr, from.h + shift, from.v + shift);
    cairo_line_to(cr, to.h + shift, to.v + shift);
    cairo_stroke(cr);
    recover();
}

void CairoCanvas::selectFont(const char* family, double size, int32_t style)
{
    face = findFontFace(family ? family : "Arial", style);
    fontSize = size >= 1 ? size : 12.0;
}

void CairoCanvas::applyFont(bool antialias)
{
    cairo_set_font_face(cr, face);
    cairo_set_font_size(cr, fontSize);
    cairo_font_options_t* options = cairo_font_options_create();
    // Grid-fitted outlines and whole-pixel advances keep small text sharp.
    cairo_font_options_set_antialias(options,
                                     antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_DEFAULT);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

FontMetrics CairoCanvas::fontMetrics()
{
    applyFont(true);
    cairo_font_extents_t extents;
    cairo_font_extents(cr, &extents);
    recover();
    return FontMetrics{extents.ascent, extents.descent, extents.height};
}

double CairoCanvas::textWidth(const char* utf8)
{
    if (!utf8 || !*utf8) return 0;
    applyFont(true);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, utf8, &extents);
    recover();
    return extents.x_advance;
}

void CairoCanvas::drawText(const char* utf8, double x, double baseline, CColor color,
                           bool antialias)
{
    if (!utf8 || !*utf8) return;
    applyFont(antialias);
    setSourceColor(color);
    cairo_move_to(cr, x, baseline);
    cairo_show_text(cr, utf8);
    cairo_new_path(cr);
    recover();
}

void CairoCanvas::drawImage(const PixelImage& image, const CRect& dest, const CPoint& srcOrigin,
                            uint8_t alpha)
{
    const CRect part = imageCoverage(image, dest, srcOrigin);
    if (part.isEmpty() || alpha == 0) return;
    cairo_surface_t* source = wrap(image);
    cairo_save(cr);
    cairo_set_source_surface(cr, source, dest.left - srcOrigin.h, dest.top - srcOrigin.v);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr, part.left, part.top, part.width(), part.height());
    if (alpha == 255)
        cairo_fill(cr);
    else
    {
        cairo_clip(cr);
        cairo_paint_with_alpha(cr, alpha / 255.0);
    }
    cairo_restore(cr);
    cairo_surface_destroy(source);
    recover();
}

void CairoCanvas::copyImage(const PixelImage& image, const CRect& dest, const CPoint& srcOrigin)
{
    const CRect part = imageCoverage(image, dest, srcOrigin);
    if (part.isEmpty()) return;
    cairo_surface_t* source = wrap(image);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, source, dest.left - srcOrigin.h, dest.top - srcOrigin.v);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr, part.left, part.top, part.width(), part.height());
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_surface_destroy(source);
    recover();
}

std::unique_ptr<Canvas> createCanvas(PixelImage& target)
{
    return std::make_unique<CairoCanvas>(target);
}

// cairo needs no starting.
DrawingBackendLease::DrawingBackendLease() : ready(true) {}
DrawingBackendLease::~DrawingBackendLease() = default;
