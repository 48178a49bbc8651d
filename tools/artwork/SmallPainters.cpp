#include "SmallPainters.h"

#include "Canvas.h"
#include "Palette.h"
#include "ProductIdentity.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace small
{
namespace
{
void line(cairo_t* cr, double x0, double y0, double x1, double y1, const Rgb& c, double alpha)
{
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    draw::setColour(cr, c, alpha);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void lampFrame(Canvas& strip, int frame, const Rgb& lit)
{
    cairo_t* cr = strip.cr();
    const double cx = 6.0, cy = frame * 12 + 6.0;
    // Bezel ring, then the lens.
    cairo_arc(cr, cx, cy, 4.0, 0, 2 * kPi);
    draw::setColour(cr, {10, 11, 12});
    cairo_fill(cr);
    cairo_pattern_t* lens = cairo_pattern_create_radial(cx - 0.8, cy - 0.8, 0.2, cx, cy, 3.2);
    if (frame == 1)
    {
        draw::addStop(lens, 0, {255, 255, 255});
        draw::addStop(lens, 0.35, lit.mix({255, 255, 255}, 0.35));
        draw::addStop(lens, 1, lit.scaled(0.75));
    }
    else
    {
        draw::addStop(lens, 0, lit.scaled(0.16).plus(34));
        draw::addStop(lens, 1, lit.scaled(0.10).plus(14));
    }
    cairo_arc(cr, cx, cy, 3.2, 0, 2 * kPi);
    cairo_set_source(cr, lens);
    cairo_fill(cr);
    cairo_pattern_destroy(lens);
    if (frame == 0)
    {
        cairo_arc(cr, cx - 1.0, cy - 1.0, 0.9, 0, 2 * kPi); // dull reflection on the dark lens
        draw::setColour(cr, {255, 255, 255}, 0.22);
        cairo_fill(cr);
    }
}

void centred(cairo_t* cr, const TextStyle& style, const char* text, double baseline, const Rgb& c)
{
    draw::setColour(cr, c);
    draw::textCentred(cr, style, text, 100, baseline);
}

void link(cairo_t* cr)
{
    const char* const address = identity::kVendorHost;
    const TextStyle style{11.0, false, 0};
    cairo_t* measure = draw::layoutContext();
    draw::selectFont(measure, style);
    cairo_text_extents_t e;
    cairo_text_extents(measure, address, &e);
    // Ink from kLinkTop, descenders ending by kLinkBottom: this is the panel's clickable line.
    const double baseline = std::ceil(kLinkTop - e.y_bearing);
    if (baseline + e.y_bearing + e.height > kLinkBottom + 1)
        throw std::runtime_error("web address does not fit its line");
    draw::setColour(cr, palette::kLink);
    const double width = draw::text(cr, style, address, kLinkLeft, baseline);
    line(cr, kLinkLeft, baseline + 1.5, kLinkLeft + width, baseline + 1.5, palette::kLink, 0.55);
}
} // namespace

void paintValueField(Canvas& field)
{
    cairo_t* cr = field.cr();
    const double w = field.width(), h = field.height();
    draw::setVerticalGradient(cr, 0, h, {8, 9, 10}, {19, 20, 22});
    cairo_paint(cr);
    // Recessed: shadow along the top and left, a catch-light along the bottom and right.
    line(cr, 0, 0.5, w, 0.5, {3, 3, 4}, 1.0);
    line(cr, 0.5, 0, 0.5, h, {5, 5, 6}, 1.0);
    line(cr, 1, 1.5, w - 1, 1.5, {0, 0, 0}, 0.5);
    line(cr, 0, h - 0.5, w, h - 0.5, {84, 87, 92}, 1.0);
    line(cr, w - 0.5, 1, w - 0.5, h, {62, 64, 68}, 1.0);
}

void paintLamp(Canvas& strip, const Canvas& panel, const Box& place, const Rgb& lit)
{
    for (int frame = 0; frame < 2; ++frame)
    {
        strip.copyFrom(panel, place.l, place.t, 12, 12, 0, frame * 12);
        lampFrame(strip, frame, lit);
    }
}

void paintAbout(Canvas& about)
{
    cairo_t* cr = about.cr();
    const double w = about.width(), h = about.height();
    draw::setVerticalGradient(cr, 0, h, {38, 40, 44}, {22, 23, 26});
    cairo_paint(cr);
    cairo_rectangle(cr, 0.5, 0.5, w - 1, 150 - 1); // the bottom 4 rows are never shown
    draw::setColour(cr, {92, 96, 102});
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);

    const TextStyle title{11.5, true, 0};
    const TextStyle body{9.0, false, 0};
    draw::setColour(cr, {236, 238, 242});
    draw::text(cr, title, identity::kProductName, kLinkLeft, 18);
    draw::setColour(cr, {160, 164, 170});
    const std::string vendor = identity::kVendorName;
    const std::string byline = vendor + "  \xc2\xb7  version " + identity::kVersionText;
    draw::text(cr, body, byline.c_str(), kLinkLeft, 32);
    link(cr);

    line(cr, kLinkLeft, 58.5, w - kLinkLeft, 58.5, {70, 73, 78}, 1.0);
    const std::string credits[] = {
        "Stereo feedback compressor",
        "Design, DSP and code: " + vendor,
        "Images decoded with libpng and zlib",
        "\xc2\xa9 2026 " + vendor + ". All rights reserved.",
    };
    double baseline = 74;
    for (const std::string& text : credits)
    {
        draw::setColour(cr, {188, 192, 198});
        draw::text(cr, body, text.c_str(), kLinkLeft, baseline);
        baseline += 14;
    }
    centred(cr, {8.5, false, 1}, "click to close", 141, {118, 122, 128});
}
} // namespace small
