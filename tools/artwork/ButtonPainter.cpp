#include "ButtonPainter.h"

#include "Canvas.h"
#include "EditorLayout.h"
#include "Palette.h"

#include <cmath>

namespace button
{
namespace
{
constexpr double kRadius = 3.0;

void capBody(cairo_t* cr, double x, double y, double w, double h, bool lit)
{
    // Dark outer edge, then the cap face.
    draw::roundedRect(cr, x, y, w, h, kRadius);
    draw::setColour(cr, {14, 15, 17});
    cairo_fill(cr);
    draw::roundedRect(cr, x + 1, y + 1, w - 2, h - 2, kRadius - 1);
    if (lit)
        draw::setVerticalGradient(cr, y, y + h, {30, 66, 96}, {14, 36, 58});
    else
        draw::setVerticalGradient(cr, y, y + h, {72, 75, 80}, {43, 45, 49});
    cairo_fill_preserve(cr);
    if (lit)
    {
        // Light from behind the face: brightest in the middle.
        cairo_pattern_t* glow =
            cairo_pattern_create_radial(x + w / 2, y + h / 2, 1, x + w / 2, y + h / 2, w * 0.6);
        draw::addStop(glow, 0, palette::kLitBlue, 0.42);
        draw::addStop(glow, 1, palette::kLitBlue, 0.0);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
        draw::roundedRect(cr, x + 1.5, y + 1.5, w - 3, h - 3, kRadius - 1);
        draw::setColour(cr, palette::kLitBlue, 0.85);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
    else
    {
        cairo_new_path(cr);
        // Top highlight of the bevel.
        cairo_move_to(cr, x + 2.5, y + 1.5);
        cairo_line_to(cr, x + w - 2.5, y + 1.5);
        draw::setColour(cr, {120, 124, 130}, 0.7);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
}

void label(cairo_t* cr, const TextStyle& style, const char* text, double centreX, double baseline,
           bool lit)
{
    if (lit)
    {
        // A soft halo around lit letters.
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
            {
                if (dx == 0 && dy == 0) continue;
                draw::setColour(cr, palette::kLitBlue, 0.22);
                draw::textCentred(cr, style, text, centreX + dx, baseline + dy);
            }
        draw::setColour(cr, {228, 246, 255});
    }
    else
    {
        draw::setColour(cr, {0, 0, 0}, 0.45); // engraved shadow
        draw::textCentred(cr, style, text, centreX, baseline + 1);
        draw::setColour(cr, {176, 180, 186});
    }
    draw::textCentred(cr, style, text, centreX, baseline);
}

void ledBar(cairo_t* cr, double centreX, double y, bool lit)
{
    const double w = 16, h = 3;
    draw::roundedRect(cr, centreX - w / 2, y, w, h, 1.5);
    if (lit)
    {
        draw::setColour(cr, palette::kLitBlueSoft);
        cairo_fill(cr);
        return;
    }
    draw::setColour(cr, {20, 23, 27});
    cairo_fill(cr);
}

void twoStateFrame(Canvas& strip, int frame, int frameHeight, const char* const* lines,
                   int lineCount, bool withLed)
{
    cairo_t* cr = strip.cr();
    const bool lit = frame == 1;
    const double top = frame * frameHeight;
    const double x = layout::kCapInsetX, y = top + layout::kCapInsetY;
    const double w = strip.width() - 2 * layout::kCapInsetX;
    const double h = frameHeight - 2 * layout::kCapInsetY;
    capBody(cr, x, y, w, h, lit);

    // A single letter gets a larger face; words shrink until the widest line fits.
    TextStyle style = palette::kButtonStyle;
    if (lineCount == 1 && lines[0][0] && !lines[0][1]) style.size = 10.0;
    // The baseline follows the nominal size, so a label shrunk to fit its cap stays on the
    // same row as its neighbours' labels.
    const double nominalSize = style.size;
    for (int i = 0; i < lineCount; ++i)
        style = draw::fitted(cr, style, lines[i], w - 6);
    const double lineGap = 9.0;
    const double textBlock = lineGap * (lineCount - 1);
    double firstBaseline = y + h / 2 + nominalSize * 0.4 - textBlock / 2;
    if (withLed)
    {
        ledBar(cr, x + w / 2, y + 6, lit);
        firstBaseline += 4;
    }
    for (int i = 0; i < lineCount; ++i)
        label(cr, style, lines[i], x + w / 2, std::round(firstBaseline + i * lineGap), lit);
}

void selectorEntry(cairo_t* cr, const char* text, double x, double w, double centreY, bool lit)
{
    const double ledX = x + 7.5;
    if (lit)
    {
        cairo_pattern_t* glow = cairo_pattern_create_radial(ledX, centreY, 0.5, ledX, centreY, 7);
        draw::addStop(glow, 0, palette::kLitBlue, 0.75);
        draw::addStop(glow, 1, palette::kLitBlue, 0.0);
        cairo_set_source(cr, glow);
        cairo_arc(cr, ledX, centreY, 7, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    }
    cairo_arc(cr, ledX, centreY, 2.4, 0, 2 * kPi);
    draw::setColour(cr, lit ? palette::kLitBlueSoft : Rgb{18, 20, 23});
    cairo_fill(cr);
    if (lit)
    {
        cairo_arc(cr, ledX - 0.6, centreY - 0.6, 1.0, 0, 2 * kPi);
        draw::setColour(cr, {235, 250, 255});
        cairo_fill(cr);
    }

    TextStyle style = draw::fitted(cr, palette::kSelectorStyle, text, w - 16);
    const double baseline = std::round(centreY + 3.0);
    if (!lit)
    {
        draw::setColour(cr, {0, 0, 0}, 0.45);
        draw::text(cr, style, text, x + 13, baseline + 1);
    }
    draw::setColour(cr, lit ? Rgb{228, 246, 255} : Rgb{168, 172, 178});
    draw::text(cr, style, text, x + 13, baseline);
}
} // namespace

void paintTwoState(Canvas& strip, const char* const* lines, int lineCount, bool withLed)
{
    const int frameHeight = strip.height() / 2;
    for (int frame = 0; frame < 2; ++frame)
        twoStateFrame(strip, frame, frameHeight, lines, lineCount, withLed);
}

void paintSelector(Canvas& strip, const char* const* labels, int count)
{
    cairo_t* cr = strip.cr();
    const int frameHeight = strip.height() / count;
    const double x = layout::kCapInsetX, w = strip.width() - 2 * layout::kCapInsetX;
    for (int frame = 0; frame < count; ++frame)
    {
        const double top = frame * frameHeight;
        draw::roundedRect(cr, x, top + 1, w, frameHeight - 2, kRadius);
        draw::setColour(cr, {14, 15, 17});
        cairo_fill(cr);
        draw::roundedRect(cr, x + 1, top + 2, w - 2, frameHeight - 4, kRadius - 1);
        draw::setVerticalGradient(cr, top, top + frameHeight, {52, 54, 58}, {36, 38, 41});
        cairo_fill(cr);
        // The click areas are exact thirds of the frame; entries sit in their middles.
        const double third = frameHeight / double(count);
        for (int i = 1; i < count; ++i)
        {
            const double ly = std::floor(top + i * third) + 0.5;
            cairo_move_to(cr, x + 2, ly);
            cairo_line_to(cr, x + w - 2, ly);
            draw::setColour(cr, {22, 23, 26});
            cairo_set_line_width(cr, 1.0);
            cairo_stroke(cr);
            cairo_move_to(cr, x + 2, ly + 1);
            cairo_line_to(cr, x + w - 2, ly + 1);
            draw::setColour(cr, {74, 77, 82}, 0.6);
            cairo_stroke(cr);
        }
        for (int i = 0; i < count; ++i)
            selectorEntry(cr, labels[i], x, w, top + (i + 0.5) * third, i == frame);
    }
}
} // namespace button
