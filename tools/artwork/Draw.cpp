#include "Draw.h"

#include <fontconfig/fontconfig.h>

#include <cmath>
#include <cstring>
#include <string>

namespace draw
{
// Liberation Sans has the metrics of the sans face the editor's own texts use.
const char* const kFamily = "Liberation Sans";

bool familyInstalled()
{
    for (const char* weight : {"", ":bold"})
    {
        const std::string name = std::string(kFamily) + weight;
        FcPattern* wanted = FcNameParse(reinterpret_cast<const FcChar8*>(name.c_str()));
        if (!wanted) return false;
        FcConfigSubstitute(nullptr, wanted, FcMatchPattern);
        FcDefaultSubstitute(wanted);
        FcResult result = FcResultNoMatch;
        FcPattern* found = FcFontMatch(nullptr, wanted, &result);
        FcChar8* family = nullptr;
        const bool same = found &&
                          FcPatternGetString(found, FC_FAMILY, 0, &family) == FcResultMatch &&
                          std::strcmp(reinterpret_cast<const char*>(family), kFamily) == 0;
        if (found) FcPatternDestroy(found);
        FcPatternDestroy(wanted);
        if (!same) return false;
    }
    return true;
}

namespace
{
double run(cairo_t* cr, const TextStyle& style, const char* text, bool paint, double x,
           double baseline)
{
    selectFont(cr, style);
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    cairo_scaled_font_text_to_glyphs(cairo_get_scaled_font(cr), x, baseline, text, -1, &glyphs,
                                     &count, nullptr, nullptr, nullptr);
    for (int i = 0; i < count; ++i)
        glyphs[i].x += i * style.tracking;
    cairo_text_extents_t e{};
    cairo_glyph_extents(cr, glyphs, count, &e);
    if (paint) cairo_show_glyphs(cr, glyphs, count);
    cairo_glyph_free(glyphs);
    return e.x_advance;
}
} // namespace

void setFontOptions(cairo_t* cr)
{
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

namespace
{
cairo_t* measuring = nullptr;
} // namespace

cairo_t* layoutContext()
{
    if (!measuring)
    {
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
        measuring = cairo_create(surface);
        cairo_surface_destroy(surface);
        setFontOptions(measuring);
    }
    return measuring;
}

void releaseLayoutContext()
{
    if (measuring) cairo_destroy(measuring);
    measuring = nullptr;
}

void setColour(cairo_t* cr, const Rgb& c, double alpha)
{
    cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

void addStop(cairo_pattern_t* p, double offset, const Rgb& c, double alpha)
{
    cairo_pattern_add_color_stop_rgba(p, offset, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - radius, y + radius, radius, -kPi / 2, 0);
    cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, kPi / 2);
    cairo_arc(cr, x + radius, y + h - radius, radius, kPi / 2, kPi);
    cairo_arc(cr, x + radius, y + radius, radius, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void setVerticalGradient(cairo_t* cr, double y0, double y1, const Rgb& top, const Rgb& bottom,
                         double alpha)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    addStop(p, 0, top, alpha);
    addStop(p, 1, bottom, alpha);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void selectFont(cairo_t* cr, const TextStyle& style)
{
    cairo_select_font_face(cr, kFamily, CAIRO_FONT_SLANT_NORMAL,
                           style.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, style.size);
}

double textWidth(cairo_t*, const TextStyle& style, const char* text)
{
    return run(layoutContext(), style, text, false, 0, 0);
}

TextStyle fitted(cairo_t* cr, TextStyle style, const char* text, double maxWidth)
{
    while (style.size > 5.0 && textWidth(cr, style, text) > maxWidth)
        style.size -= 0.25;
    return style;
}

double text(cairo_t* cr, const TextStyle& style, const char* text, double x, double baseline)
{
    return run(cr, style, text, true, x, baseline);
}

void textCentred(cairo_t* cr, const TextStyle& style, const char* text, double centreX,
                 double baseline)
{
    const double width = textWidth(cr, style, text);
    draw::text(cr, style, text, std::round(centreX - width / 2), baseline);
}

void textRight(cairo_t* cr, const TextStyle& style, const char* text, double rightX,
               double baseline)
{
    const double width = textWidth(cr, style, text);
    draw::text(cr, style, text, std::round(rightX - width), baseline);
}

double noise(std::uint32_t x, std::uint32_t y, std::uint32_t seed)
{
    std::uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xffffu) / 32767.5 - 1.0;
}
} // namespace draw
