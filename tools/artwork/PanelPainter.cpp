#include "PanelPainter.h"

#include "Canvas.h"
#include "EditorLayout.h"
#include "Palette.h"
#include "PanelParts.h"
#include "ProductIdentity.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

namespace panel
{
namespace
{
constexpr int kHeaderHeight = 26;
constexpr int kStreakRadius = 9;

std::uint32_t opaque(double r, double g, double b)
{
    auto byte = [](double v)
    { return static_cast<std::uint32_t>(std::clamp(v, 0.0, 255.0) + 0.5); };
    return 0xff000000u | byte(r) << 16 | byte(g) << 8 | byte(b);
}

// Brushed metal: fine horizontal streaks (noise smeared along x) over a soft vertical gradient.
// The grain is the same at every scale: each image pixel's value covers scale x scale pixels.
void brushedSurface(Canvas& c)
{
    c.flush();
    const int w = c.width(), h = c.height(), n = c.scale();
    std::vector<double> raw(w), streak(w);
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
            raw[x] = draw::noise(x, y, 3);
        for (int x = 0; x < w; ++x)
        {
            double sum = 0;
            for (int k = -kStreakRadius; k <= kStreakRadius; ++k)
                sum += raw[std::clamp(x + k, 0, w - 1)];
            streak[x] = sum / (2 * kStreakRadius + 1);
        }
        const Rgb base = palette::kPanelTop.mix(palette::kPanelBottom, double(y) / (h - 1));
        const double rowShade = 1.2 * draw::noise(0, y, 5);
        for (int sy = 0; sy < n; ++sy)
        {
            std::uint32_t* row = c.row(y * n + sy);
            for (int x = 0; x < w; ++x)
            {
                const double d = 7.0 * streak[x] + rowShade + 0.8 * raw[x];
                for (int sx = 0; sx < n; ++sx)
                    row[x * n + sx] = opaque(base.r + d, base.g + d, base.b + d);
            }
        }
    }
    c.markDirty();
}

void header(cairo_t* cr)
{
    draw::setVerticalGradient(cr, 0, kHeaderHeight, {30, 31, 34}, palette::kHeader);
    cairo_rectangle(cr, 0, 0, layout::kWidth, kHeaderHeight);
    cairo_fill(cr);
    parts::hLine(cr, 0, layout::kWidth, kHeaderHeight - 0.5, {8, 8, 9}, 1.0);
    parts::hLine(cr, 0, layout::kWidth, kHeaderHeight + 0.5, {92, 95, 100}, 0.45);

    // Brand mark: a lit ring with a pointer notch, the product's knob in miniature.
    const double cx = 19, cy = 13;
    cairo_arc(cr, cx, cy, 6.5, 0, 2 * kPi);
    draw::setColour(cr, palette::kLitBlue);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
    cairo_move_to(cr, cx, cy - 1);
    cairo_line_to(cr, cx, cy - 8);
    draw::setColour(cr, palette::kHeader);
    cairo_set_line_width(cr, 3.0);
    cairo_stroke(cr);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx, cy - 4.5);
    draw::setColour(cr, {230, 245, 255});
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);

    // The product's own name bright and bold, what kind of effect it is dimmer beside it.
    const std::string product = identity::kProductName;
    const std::size_t space = product.find(' ');
    const TextStyle name{14.0, true, 0};
    const TextStyle kind{14.0, false, 0};
    double x = 32;
    draw::setColour(cr, {238, 240, 244});
    x += draw::text(cr, name, product.substr(0, space).c_str(), x, 18) + 5;
    draw::setColour(cr, {168, 172, 178});
    if (space != std::string::npos)
        x += draw::text(cr, kind, product.substr(space + 1).c_str(), x, 18) + 10;
    parts::vLine(cr, x + 0.5, 7, 20, {90, 94, 100}, 0.8);
    draw::setColour(cr, palette::kLitBlueSoft);
    draw::text(cr, {10.0, true, 2}, identity::kVendorName, x + 10, 17);
}

// The version text may be drawn over a black fill of its rectangle, which runs past the
// window's right edge; a black slot in the title strip makes that look intended either way.
void versionSlot(cairo_t* cr)
{
    const Box& v = layout::kVersion;
    const int right = layout::kWidth;
    cairo_rectangle(cr, v.l, v.t, right - v.l, v.height());
    draw::setColour(cr, {0, 0, 0});
    cairo_fill(cr);
    parts::hLine(cr, v.l - 1, right, v.t - 0.5, {6, 6, 7}, 1.0);
    parts::vLine(cr, v.l - 0.5, v.t - 1, v.b, {6, 6, 7}, 1.0);
    parts::hLine(cr, v.l - 1, right, v.b + 0.5, {88, 92, 98}, 0.5);
}

void dividers(cairo_t* cr)
{
    for (int x : layout::kDividerX)
        parts::engravedVLine(cr, x, kHeaderHeight + 8, layout::kHeight - 8);
}

// The black well behind the transfer function and the meters; the displays paint their own
// black squares inside it.
void displayWell(cairo_t* cr)
{
    const Box well{364, 33, 584, 197};
    parts::recess(cr, well, 8.0, palette::kWell);
    const double baseline = 51;
    parts::wellCaption(cr, "Transfer Function", layout::kTransfer.centreX(), baseline);
    parts::wellCaption(cr, "SC", layout::kLevelMeter.centreX(), baseline);
    parts::wellCaption(cr, "GR", layout::kCompMeter.centreX(), baseline);
}

void outerFrame(cairo_t* cr)
{
    cairo_rectangle(cr, 0.5, 0.5, layout::kWidth - 1, layout::kHeight - 1);
    draw::setColour(cr, {6, 6, 7});
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    parts::hLine(cr, 1, layout::kWidth - 1, layout::kHeight - 1.5, {70, 72, 76}, 0.5);
}
} // namespace

void paint(Canvas& c)
{
    cairo_t* cr = c.cr();
    brushedSurface(c);
    header(cr);
    versionSlot(cr);
    dividers(cr);
    displayWell(cr);
    parts::knobSockets(cr);
    parts::fieldBezels(cr);
    parts::buttonWells(cr);
    parts::captions(cr);
    outerFrame(cr);
}
} // namespace panel
