// Logical to device pixels and back, the system's factor from the X resources, and the
// area-averaging reduction of the doubled images.

#include "drawing/DeviceScale.h"
#include "drawing/ImageResample.h"
#include "platform/SystemScale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
constexpr double kFactors[] = {1.0, 1.25, 1.5, 1.75, 2.0};

// Every device pixel belongs to exactly the logical pixel whose device span holds it, so a
// click at device (2x, 2y) at scale 2 reaches what (x, y) reaches at scale 1.
TEST(DeviceScale, EveryDevicePixelMapsBackToTheLogicalPixelThatCoversIt)
{
    for (double s : kFactors)
        for (int32_t d = -40; d < 1400; ++d)
        {
            const int32_t l = toLogicalPixel(d, s);
            ASSERT_LE(toDevicePixel(l, s), d) << s << " " << d;
            ASSERT_GT(toDevicePixel(l + 1, s), d) << s << " " << d;
        }
    for (int32_t x = 0; x < 690; ++x)
    {
        ASSERT_EQ(toLogicalPixel(2 * x, 2.0), x);
        ASSERT_EQ(toLogicalPixel(2 * x + 1, 2.0), x);
    }
}

TEST(DeviceScale, FactorsComeFromXftDpiWithinOneToTwo)
{
    const struct
    {
        const char* resources;
        double factor;
    } cases[] = {
        {"Xft.dpi:\t96\n", 1.0},
        {"Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n", 2.0},
        {"Xft.dpi: 144", 1.5},
        {"Xft.dpi:\t120\n", 1.25},
        {"Xft.dpi:\t384\n", 2.0},
        {"Xft.dpi:\t72\n", 1.0},
        {"Xft.dpi:\tlarge\n", 1.0},
        {"Xft.dpix:\t192\n", 1.0},
        {"", 1.0},
        {nullptr, 1.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(scaleFromXResources(c.resources), c.factor)
            << (c.resources ? c.resources : "(none)");
    EXPECT_EQ(clampScaleFactor(std::nan("")), 1.0);
}

uint32_t grey(uint32_t v)
{
    return 0xff000000u | v << 16 | v << 8 | v;
}

// Halving averages 2 x 2 blocks exactly; a 3 : 2 reduction weights by area; nothing outside
// the source rectangle leaks in, and a part of the grid is the same as the whole grid there.
TEST(DeviceScale, AreaReductionAveragesCoveredPixelsOnly)
{
    PixelImage image(6, 4, CColor{255, 0, 0, 255}); // red outside the source rectangle
    const uint32_t values[2][4] = {{0, 100, 200, 40}, {20, 120, 220, 60}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            image.data()[(y + 1) * 6 + x + 1] = grey(values[y][x]);
    const CRect source(1, 1, 5, 3);

    const PixelImage half = resampleArea(image, source, 2, 1, CRect(0, 0, 2, 1));
    EXPECT_EQ(half.pixel(0, 0), grey(60));
    EXPECT_EQ(half.pixel(1, 0), grey(130));

    // Three columns over four: the middle one covers source [4/3, 8/3), two thirds each of the
    // columns whose means are 110 and 210; the first covers all of 10 and a third of 110.
    const PixelImage thirds = resampleArea(image, source, 3, 1, CRect(0, 0, 3, 1));
    EXPECT_EQ(thirds.pixel(1, 0), grey(160));
    EXPECT_EQ(thirds.pixel(0, 0), grey(35));
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(thirds.colorAt(x, 0).red, thirds.colorAt(x, 0).blue) << "red leaked in";

    const PixelImage part = resampleArea(image, source, 3, 1, CRect(2, 0, 3, 1));
    ASSERT_EQ(part.getWidth(), 1);
    EXPECT_EQ(part.pixel(0, 0), thirds.pixel(2, 0));
}
} // namespace
