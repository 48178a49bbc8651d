#include "KnobPainter.h"

#include "Canvas.h"
#include "Draw.h"

#include <algorithm>
#include <cmath>

namespace knob
{
namespace
{
constexpr double kCentre = kSize / 2.0;
constexpr double kSkirtRadius = 25.5;
constexpr double kCapRadius = 18.5;
constexpr double kChamfer = 1.6;
constexpr double kPointerInner = 6.0;
constexpr double kPointerOuter = 24.0;
constexpr double kPointerHalfWidth = 1.25;
constexpr int kRidges = 40;
constexpr int kSuper = 4; // samples per pixel and axis

struct Sample
{
    double grey = 0;
    bool pointer = false;
    bool inside = false;
};

// How much a surface whose outward direction is (nx, ny) faces the light, which comes from
// above and a little from the left.
double facing(double nx, double ny)
{
    const double lx = -0.32, ly = -0.95;
    return nx * lx + ny * ly;
}

double distanceToPointer(double x, double y, double dirX, double dirY)
{
    const double along = std::clamp(x * dirX + y * dirY, kPointerInner, kPointerOuter);
    return std::hypot(x - along * dirX, y - along * dirY);
}

double skirtGrey(double x, double y, double r, double angle)
{
    const double f = facing(x / r, y / r);
    const double phi = std::atan2(x, -y) - angle; // knurling turns with the knob
    const double ridge = std::cos(phi * kRidges);
    double grey = 33 + 13 * f + 5.5 * ridge * (0.7 + 0.3 * f) + 12 * std::pow(std::max(f, 0.0), 4);
    if (r > kSkirtRadius - 1.1) return grey * 0.62; // the dark lip at the outer edge
    if (r > kSkirtRadius - 2.3)
        grey += 26 * std::max(f, 0.0);               // the rounded shoulder catches the light
    if (r < kCapRadius + 1.4) grey *= 0.8 - 0.2 * f; // the cap's shadow on the skirt, deepest below
    return grey;
}

double capGrey(double x, double y, double r)
{
    if (r > kCapRadius - kChamfer) // the chamfer catches the light on the upper side
        return std::clamp(70 + 72 * facing(x / r, y / r), 22.0, 155.0);
    // Spun metal: two broad highlights across the light, fine concentric rings.
    const double theta = std::atan2(y, x);
    const double sheen = std::cos(2 * (theta + 0.95));
    const double rings = draw::noise(static_cast<std::uint32_t>(r * 3.0), 7, 11);
    return 50 + 15 * sheen + 2.2 * rings - 8 * (y / kCapRadius);
}

Sample shade(double x, double y, double angle)
{
    Sample s;
    const double r = std::hypot(x, y);
    if (r > kSkirtRadius) return s;
    s.inside = true;
    const double dirX = std::sin(angle), dirY = -std::cos(angle);
    if (distanceToPointer(x, y, dirX, dirY) <= kPointerHalfWidth)
    {
        s.pointer = true;
        s.grey = r < kCapRadius - kChamfer ? 236 : 222;
        return s;
    }
    s.grey = r > kCapRadius ? skirtGrey(x, y, r, angle) : capGrey(x, y, std::max(r, 0.01));
    return s;
}

std::uint32_t packPremultiplied(double red, double green, double blue, double alpha)
{
    auto byte = [](double v)
    { return static_cast<std::uint32_t>(std::clamp(v, 0.0, 255.0) + 0.5); };
    return byte(alpha * 255) << 24 | byte(red * alpha) << 16 | byte(green * alpha) << 8 |
           byte(blue * alpha);
}

void paintFrame(Canvas& strip, int frame)
{
    const double angle = pointerAngle(frame) * kPi / 180.0;
    const int n = strip.scale();
    const int side = kSize * n;
    for (int py = 0; py < side; ++py)
    {
        std::uint32_t* row = strip.row(frame * side + py);
        for (int px = 0; px < side; ++px)
        {
            double sum = 0;
            int covered = 0;
            for (int sy = 0; sy < kSuper; ++sy)
                for (int sx = 0; sx < kSuper; ++sx)
                {
                    // Sample positions in knob pixels, so a larger strip samples the same shape
                    // more finely.
                    const double x = (px + (sx + 0.5) / kSuper) / n - kCentre;
                    const double y = (py + (sy + 0.5) / kSuper) / n - kCentre;
                    const Sample s = shade(x, y, angle);
                    if (!s.inside) continue;
                    sum += s.grey;
                    ++covered;
                }
            if (covered == 0)
            {
                row[px] = 0;
                continue;
            }
            const double grey = sum / covered;
            const double alpha = covered / double(kSuper * kSuper);
            // A faint cool cast, like anodised metal under studio light.
            row[px] = packPremultiplied(grey * 0.98, grey * 1.0, grey * 1.05, alpha);
        }
    }
}
} // namespace

double pointerAngle(int frame)
{
    return -kSweepDegrees / 2 + kSweepDegrees * frame / (kFrames - 1);
}

void paintStrip(Canvas& strip)
{
    strip.flush();
    for (int frame = 0; frame < kFrames; ++frame)
        paintFrame(strip, frame);
    strip.markDirty();
}
} // namespace knob
