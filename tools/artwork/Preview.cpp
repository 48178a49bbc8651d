#include "Preview.h"

#include "EditorLayout.h"
#include "IdentityTexts.h"
#include "ImageIds.h"

#include <cmath>
#include <cstdio>

namespace preview
{
namespace
{
using layout::KnobPlace;

void knob(Canvas& out, const Canvas& strip, const Box& at, double value)
{
    // The film-strip knob's frame choice: trunc(v * height * (frames - 1)) in whole frames.
    const int frame = static_cast<int>(value * 70 * 99) / 70;
    out.paintOver(strip, 0, frame * 70, 70, 70, at.l, at.t);
}

void strip(Canvas& out, const Canvas& image, const Box& at, int frame)
{
    out.paintOver(image, 0, frame * at.height(), at.width(), at.height(), at.l, at.t);
}

void codeText(cairo_t* cr, const Box& box, const char* text, double size, double grey)
{
    cairo_save(cr);
    cairo_rectangle(cr, box.l, box.t, box.width(), box.height());
    cairo_clip(cr);
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text, &e);
    cairo_font_extents_t f;
    cairo_font_extents(cr, &f);
    const double x = std::round(box.centreX() - e.x_advance / 2);
    const double baseline = std::round(box.centreY() + (f.ascent - f.descent) / 2);
    cairo_set_source_rgb(cr, grey / 255, grey / 255, grey / 255);
    cairo_move_to(cr, x, baseline);
    cairo_show_text(cr, text);
    cairo_restore(cr);
}

void fill(cairo_t* cr, double l, double t, double r, double b, int red, int green, int blue,
          int alpha = 255)
{
    cairo_rectangle(cr, l, t, r - l, b - t);
    cairo_set_source_rgba(cr, red / 255.0, green / 255.0, blue / 255.0, alpha / 255.0);
    cairo_fill(cr);
}

void blackDisplay(cairo_t* cr, const Box& b)
{
    fill(cr, b.l, b.t, b.r, b.b, 0, 0, 0);
    cairo_rectangle(cr, b.l + 0.5, b.t + 0.5, b.width() - 1, b.height() - 1);
    cairo_set_source_rgb(cr, 66 / 255.0, 66 / 255.0, 66 / 255.0);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// Rough stand-ins for the drawn displays, so the well is judged with its contents.
void displays(cairo_t* cr)
{
    using namespace layout;
    const Box& t = kTransfer;
    blackDisplay(cr, t);
    fill(cr, t.l + 1, t.t + 40, t.r - 1, t.t + 41, 255, 20, 0);
    for (int i = 0; i < 130; ++i)
    {
        fill(cr, t.l + i, t.t + 130 - i, t.l + i + 2, t.t + 131 - i, 0, 41, 51);
        const double in = -(130 - i) / 2.0;
        const double out = in > -20 ? -20 + (in + 20) / 4 : in;
        fill(cr, t.l + i, t.t - 2 * out, t.l + i + 2, t.t - 2 * out + 1, 0, 204, 255);
    }
    codeText(cr, {t.l + 83, t.t + 115, t.l + 130, t.t + 129}, "wet 100%", 9, 180);
    blackDisplay(cr, kLevelMeter);
    fill(cr, kLevelMeter.l + 2, kLevelMeter.t + 36, kLevelMeter.r - 2, kLevelMeter.b - 2, 51, 215,
         255);
    fill(cr, kLevelMeter.l + 1, kLevelMeter.t + 40, kLevelMeter.r - 1, kLevelMeter.t + 41, 255, 20,
         0);
    blackDisplay(cr, kCompMeter);
    fill(cr, kCompMeter.l + 2, kCompMeter.t + 2, kCompMeter.r - 2, kCompMeter.t + 44, 0, 204, 255);
    fill(cr, kScale.l, kScale.t, kScale.r, kScale.b, 0, 0, 0);
    for (int i = 0; i < 26; ++i)
    {
        const int y = kScale.t + 7 + 5 * i;
        fill(cr, kScale.l + (i % 4 ? 21 : 20), y, kScale.r, y + 1, 66, 66, 66);
        if (i % 4 == 0)
        {
            char label[8];
            std::snprintf(label, sizeof label, "%d", -(i / 2));
            codeText(cr, {kScale.l + 1, y - 6, kScale.l + 17, y + 6}, label, 9, 255);
        }
    }
}

void controls(Canvas& out, const ArtworkSet& art)
{
    using namespace layout;
    const double values[] = {0.4, 0.3, 0.62, 0.5, 0.31, 0.425, 0.5, 0.0, 0.475};
    const char* const texts[] = {"-20.0 dB", "6.0 dB", "4.0:1", "0.0 dB", "10.0 ms",
                                 "150 ms",   "1.20 s", "0 %",   "120 Hz"};
    cairo_t* cr = out.cr();
    for (int i = 0; i < 9; ++i)
    {
        const KnobPlace& k = kKnobs[i];
        knob(out, *art.at(image::kKnobStrip), k.knob, values[i]);
        const Box field = displayImage(k.display);
        out.paintOver(*art.at(image::kValueField), 0, 0, 51, 17, field.l, field.t);
        codeText(cr, k.display, texts[i], 10, 250);
    }
    const Box textKnobs[] = {kDetection, kLfAmount, kHfAmount};
    const char* const textKnobTexts[] = {"RMS", "50%", "35%"};
    for (int i = 0; i < 3; ++i)
    {
        const Box field = textKnobImage(textKnobs[i]);
        out.paintOver(*art.at(image::kTextKnobField), 0, 0, 49, 19, field.l, field.t);
        codeText(cr, textKnobs[i], textKnobTexts[i], 10, i == 0 ? 250 : 100);
    }
    strip(out, *art.at(image::kScFilterSelector), kScFilterType, 1);
    strip(out, *art.at(image::kScPreview), kScPreview, 0);
    strip(out, *art.at(image::kLoColor), kLfHarmonics, 0);
    strip(out, *art.at(image::kHiColor), kHfHarmonics, 1);
    strip(out, *art.at(image::kBypass), kBypass, 0);
    strip(out, *art.at(image::kDelta), kDelta, 1);
    strip(out, *art.at(image::kFastLamp), kFastLamp, 1);
    strip(out, *art.at(image::kSlowLamp), kSlowLamp, 0);
}
} // namespace

bool write(const ArtworkSet& art, const std::string& path, bool aboutOpen)
{
    Canvas out(layout::kWidth, layout::kHeight);
    const Canvas& panel = *art.at(image::kBackground);
    out.copyFrom(panel, 0, 0, layout::kWidth, layout::kHeight, 0, 0);
    codeText(out.cr(), layout::kVersion, identity::kVersionLabel.text, 9, 120);
    controls(out, art);
    displays(out.cr());
    if (aboutOpen)
    {
        const Box& a = layout::kSplashArea;
        out.copyFrom(*art.at(image::kAboutPanel), 0, 0, a.width(), a.height(), a.l, a.t);
    }
    return out.writePng(path);
}
} // namespace preview
