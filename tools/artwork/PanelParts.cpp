#include "PanelParts.h"

#include "KnobPainter.h"
#include "Palette.h"

#include <cmath>
#include <initializer_list>
#include <stdexcept>
#include <string>

namespace parts
{
namespace
{
constexpr double kUpperBaseline = 42;
constexpr double kLowerBaseline = 164;
constexpr double kFilterBaseline = 91;
constexpr double kLampGap = 4; // between a RELEASE caption and its lamp's LED

void socket(cairo_t* cr, double cx, double cy)
{
    cairo_pattern_t* shadow = cairo_pattern_create_radial(cx, cy + 1.5, 24, cx, cy + 1.5, 31.5);
    draw::addStop(shadow, 0, {0, 0, 0}, 0.65);
    draw::addStop(shadow, 1, {0, 0, 0}, 0.0);
    cairo_arc(cr, cx, cy + 1.5, 31.5, 0, 2 * kPi);
    cairo_set_source(cr, shadow);
    cairo_fill(cr);
    cairo_pattern_destroy(shadow);

    cairo_arc(cr, cx, cy, 27.2, 0, 2 * kPi);
    draw::setColour(cr, {17, 18, 20});
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 27.7, 0.15 * kPi, 0.85 * kPi); // catch-light on the lower lip
    draw::setColour(cr, {120, 124, 130}, 0.35);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void ticks(cairo_t* cr, double cx, double cy)
{
    constexpr int kTicks = 11;
    for (int i = 0; i < kTicks; ++i)
    {
        const double degrees = -knob::kSweepDegrees / 2 + knob::kSweepDegrees * i / (kTicks - 1);
        const double a = degrees * kPi / 180.0;
        const bool major = i == 0 || i == kTicks - 1 || i == kTicks / 2;
        const double inner = 29.6, outer = major ? 33.6 : 32.2;
        const double dx = std::sin(a), dy = -std::cos(a);
        cairo_move_to(cr, cx + inner * dx, cy + inner * dy);
        cairo_line_to(cr, cx + outer * dx, cy + outer * dy);
        draw::setColour(cr, major ? Rgb{196, 200, 206} : Rgb{140, 144, 150});
        cairo_set_line_width(cr, major ? 1.4 : 1.1);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void bezel(cairo_t* cr, const Box& image)
{
    const double l = image.l - 0.5, t = image.t - 0.5, r = image.r + 0.5, b = image.b + 0.5;
    hLine(cr, l - 0.5, r + 0.5, t, {12, 13, 14}, 0.8);
    vLine(cr, l, t, b, {12, 13, 14}, 0.6);
    hLine(cr, l - 0.5, r + 0.5, b, {110, 114, 120}, 0.55);
    vLine(cr, r, t, b, {110, 114, 120}, 0.35);
}

void capShadow(cairo_t* cr, const Box& cap)
{
    draw::roundedRect(cr, cap.l - 1, cap.t, cap.width() + 2, cap.height() + 1.5, 4);
    draw::setColour(cr, {0, 0, 0}, 0.45);
    cairo_fill(cr);
    hLine(cr, cap.l + 3, cap.r - 3, cap.b + 1.0, {110, 114, 120}, 0.3);
}

// Throws if painted text would end up under a view, where the editor would hide it.
void checkClear(const TextStyle& style, const char* text, double left, double baseline)
{
    cairo_t* cr = draw::layoutContext();
    draw::selectFont(cr, style);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text, &e);
    const Box ink{static_cast<int>(std::floor(left + e.x_bearing)),
                  static_cast<int>(std::floor(baseline + e.y_bearing)),
                  static_cast<int>(std::ceil(left + draw::textWidth(cr, style, text))),
                  static_cast<int>(std::ceil(baseline + e.y_bearing + e.height)) + 1};
    for (const Box& view : layout::kViewRects)
        if (layout::overlaps(ink, view))
            throw std::runtime_error(std::string("caption under a view: ") + text);
    for (int x : layout::kDividerX)
    {
        const Box groove{x - layout::kDividerClearance, 0, x + 2 + layout::kDividerClearance,
                         layout::kHeight};
        if (layout::overlaps(ink, groove))
            throw std::runtime_error(std::string("caption on a divider: ") + text);
    }
}

void caption(cairo_t* cr, const char* text, double x, double baseline, int align)
{
    const TextStyle& style = palette::kCaptionStyle;
    const double width = draw::textWidth(cr, style, text);
    const double left = std::round(align < 0 ? x : align > 0 ? x - width : x - width / 2);
    checkClear(style, text, left, baseline);
    draw::setColour(cr, {0, 0, 0}, 0.5); // printed ink sits a hair proud of the metal
    draw::text(cr, style, text, left, baseline + 1);
    draw::setColour(cr, palette::kCaption);
    draw::text(cr, style, text, left, baseline);
}
} // namespace

void wellCaption(cairo_t* cr, const char* text, double centreX, double baseline)
{
    const TextStyle& style = palette::kWellCaptionStyle;
    const double left = std::round(centreX - draw::textWidth(cr, style, text) / 2);
    checkClear(style, text, left, baseline);
    draw::setColour(cr, palette::kCaptionDim);
    draw::text(cr, style, text, left, baseline);
}

void hLine(cairo_t* cr, double x0, double x1, double y, const Rgb& c, double alpha)
{
    cairo_move_to(cr, x0, y);
    cairo_line_to(cr, x1, y);
    draw::setColour(cr, c, alpha);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void vLine(cairo_t* cr, double x, double y0, double y1, const Rgb& c, double alpha)
{
    cairo_move_to(cr, x, y0);
    cairo_line_to(cr, x, y1);
    draw::setColour(cr, c, alpha);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void engravedVLine(cairo_t* cr, double x, double y0, double y1)
{
    vLine(cr, x + 0.5, y0, y1, palette::kEngraveDark, 0.9);
    vLine(cr, x + 1.5, y0, y1, palette::kEngraveLight, 0.6);
}

void engravedHLine(cairo_t* cr, double x0, double x1, double y)
{
    hLine(cr, x0, x1, y + 0.5, palette::kEngraveDark, 0.9);
    hLine(cr, x0, x1, y + 1.5, palette::kEngraveLight, 0.6);
}

void recess(cairo_t* cr, const Box& box, double radius, const Rgb& fill)
{
    // Lip: dark above, catching light below.
    draw::roundedRect(cr, box.l - 1, box.t - 1, box.width() + 2, box.height() + 2, radius + 1);
    draw::setVerticalGradient(cr, box.t - 1, box.b + 1, {10, 10, 11}, {104, 108, 114});
    cairo_fill(cr);
    draw::roundedRect(cr, box.l, box.t, box.width(), box.height(), radius);
    draw::setColour(cr, fill);
    cairo_fill_preserve(cr);
    // Inner shadow falling from the upper edge.
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, box.t, 0, box.t + 7);
    draw::addStop(shade, 0, {0, 0, 0}, 0.7);
    draw::addStop(shade, 1, {0, 0, 0}, 0.0);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
}

void knobSockets(cairo_t* cr)
{
    for (const layout::KnobPlace& k : layout::kKnobs)
    {
        socket(cr, k.knob.centreX(), k.knob.centreY());
        ticks(cr, k.knob.centreX(), k.knob.centreY());
    }
}

void fieldBezels(cairo_t* cr)
{
    for (const layout::KnobPlace& k : layout::kKnobs)
        bezel(cr, layout::displayImage(k.display));
    for (const Box& b : {layout::kDetection, layout::kLfAmount, layout::kHfAmount})
        bezel(cr, layout::textKnobImage(b));
}

void buttonWells(cairo_t* cr)
{
    using namespace layout;
    for (const Box& b : {kScPreview, kLfHarmonics, kHfHarmonics, kBypass, kDelta})
        capShadow(cr, b.inset(kCapInsetX, kCapInsetY));
    capShadow(cr, kScFilterType.inset(kCapInsetX, 1));
}

void captions(cairo_t* cr)
{
    using namespace layout;
    for (const KnobPlace* k : {&kThreshold, &kKnee, &kRatio, &kMakeUp})
        caption(cr, k->caption, k->knob.centreX(), kUpperBaseline, 0);
    caption(cr, "DETECTOR", kDetection.centreX(), kUpperBaseline, 0);
    caption(cr, "SC HP FILTER", kScFilterType.centreX(), kFilterBaseline, 0);
    for (const KnobPlace* k : {&kAttack, &kDryMix})
        caption(cr, k->caption, k->knob.centreX(), kLowerBaseline, 0);
    // The two release captions flank their lamps, which sit between the two knobs.
    caption(cr, kRelease.caption, kFastLamp.l + 2 - kLampGap, kLowerBaseline, 1);
    caption(cr, kReleaseSlow.caption, kSlowLamp.r - 2 + kLampGap, kLowerBaseline, -1);
}
} // namespace parts
