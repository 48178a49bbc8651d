// Properties of the shipped artwork that the editor relies on: which images are opaque, where
// the film strips put their states, where the about panel's link line is, and that images whose
// views overlap leave the shared pixels alone; and that they are what the artwork program draws.

#include "DecodedImage.h"
#include "EditorLayout.h"
#include "ImageIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#ifdef OFC_ARTWORK_PROGRAM
#include <sys/wait.h>
#endif

namespace
{
bool litBlue(const Pixel& p)
{
    return p.a > 128 && p.b > 150 && p.b > p.r + 60;
}

int countLitBlue(const DecodedImage& img, int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            n += litBlue(img.at(x, y));
    return n;
}

bool samePixels(const DecodedImage& a, int ax, int ay, const DecodedImage& b, int bx, int by, int w,
                int h)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const Pixel p = a.at(ax + x, ay + y), q = b.at(bx + x, by + y);
            if (p.r != q.r || p.g != q.g || p.b != q.b || p.a != q.a) return false;
        }
    return true;
}

// Clockwise from 12 o'clock, in degrees, of the light pointer's pixels in knob frame `frame`.
double pointerAngle(const DecodedImage& strip, int frame)
{
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 70; ++x)
        {
            const Pixel p = strip.at(x, frame * 70 + y);
            if (p.a == 255 && p.r > 190 && p.g > 190 && p.b > 190)
            {
                sx += x + 0.5 - 35;
                sy += y + 0.5 - 35;
                ++n;
            }
        }
    EXPECT_GT(n, 20) << "frame " << frame;
    return std::atan2(sx, -sy) * 180.0 / 3.14159265358979323846;
}

TEST(Artwork, EveryImageDecodes)
{
    for (int id = image::kFirst; id <= image::kLast; ++id)
        EXPECT_TRUE(decodeResource(id).valid()) << id;
}

// The background, value fields, about panel and lamps are drawn without alpha blending.
TEST(Artwork, ImagesDrawnWithoutBlendingAreOpaque)
{
    for (int id : {201, 203, 204, 214, 215, 216})
    {
        const DecodedImage img = decodeResource(id);
        ASSERT_TRUE(img.valid()) << id;
        int seeThrough = 0;
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x)
                seeThrough += img.at(x, y).a != 255;
        EXPECT_EQ(seeThrough, 0) << id;
    }
}

TEST(Artwork, KnobPointerRunsFromSevenThroughTwelveToFiveOClock)
{
    const DecodedImage strip = decodeResource(202);
    ASSERT_TRUE(strip.valid());
    EXPECT_NEAR(pointerAngle(strip, 0), -135.0, 4.0);
    EXPECT_NEAR(pointerAngle(strip, 50), 0.0, 4.0);
    EXPECT_NEAR(pointerAngle(strip, 99), 135.0, 4.0);
    EXPECT_LT(pointerAngle(strip, 25), pointerAngle(strip, 75));

    for (int frame = 0; frame < 100; ++frame)
    {
        const int top = frame * 70;
        // Transparent around the round knob, so the panel's scale shows through.
        for (int corner : {0, 69})
        {
            EXPECT_EQ(strip.at(corner, top).a, 0) << frame;
            EXPECT_EQ(strip.at(corner, top + 69).a, 0) << frame;
        }
        if (frame > 0)
        {
            EXPECT_FALSE(samePixels(strip, 0, top - 70, strip, 0, top, 70, 70)) << frame;
        }
    }
}

// Off above, lit below; the cap keeps clear of the rectangle's edge because neighbouring
// buttons' rectangles overlap by up to three pixels.
TEST(Artwork, TwoStateButtonsAreDarkAboveLitBelowWithClearMargins)
{
    for (int id : {205, 206, 207, 208, 209, 210, 211, 213})
    {
        SCOPED_TRACE(id);
        const DecodedImage img = decodeResource(id);
        ASSERT_TRUE(img.valid());
        const int frame = img.height / 2;
        EXPECT_EQ(countLitBlue(img, 0, 0, img.width, frame), 0);
        EXPECT_GT(countLitBlue(img, 0, frame, img.width, img.height), 40);
        for (int top : {0, frame})
            for (int y = top; y < top + frame; ++y)
                for (int x = 0; x < img.width; ++x)
                {
                    const bool margin =
                        x < 3 || x >= img.width - 3 || y < top + 2 || y >= top + frame - 2;
                    if (margin)
                    {
                        ASSERT_EQ(img.at(x, y).a, 0) << x << "," << y;
                    }
                }
    }
}

// Frame i lights entry i, and each entry lies in the third of the height that selects it.
TEST(Artwork, FilterSelectorLightsTheEntryOfItsFrame)
{
    const DecodedImage img = decodeResource(212);
    ASSERT_TRUE(img.valid());
    for (int frame = 0; frame < 3; ++frame)
        for (int third = 0; third < 3; ++third)
        {
            const int y0 = frame * 71 + third * 71 / 3, y1 = frame * 71 + (third + 1) * 71 / 3;
            const int lit = countLitBlue(img, 0, y0, img.width, y1);
            if (third == frame)
            {
                EXPECT_GT(lit, 10) << frame;
            }
            else
            {
                EXPECT_EQ(lit, 0) << frame << " " << third;
            }
        }
}

// A click in the window's rows 83 to 92 and columns 375 to 513 opens the web page; the panel
// sits at (374, 44), so the address must be drawn within rows 39 to 48 and columns 1 to 139.
TEST(Artwork, AboutPanelShowsTheWebAddressOnItsClickableLine)
{
    const DecodedImage img = decodeResource(214);
    ASSERT_TRUE(img.valid());
    int inside = 0, outside = 0;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            if (litBlue(img.at(x, y)))
                (y >= 39 && y <= 48 && x >= 1 && x <= 139 ? inside : outside)++;
    EXPECT_GT(inside, 50);
    EXPECT_EQ(outside, 0);
}

TEST(Artwork, LampsAreDarkThenLitBlueAndRed)
{
    const DecodedImage fast = decodeResource(215), slow = decodeResource(216);
    ASSERT_TRUE(fast.valid() && slow.valid());
    const Pixel fastOff = fast.at(6, 6), fastOn = fast.at(6, 18);
    const Pixel slowOff = slow.at(6, 6), slowOn = slow.at(6, 18);
    EXPECT_GT(fastOn.b, fastOn.r + 40);
    EXPECT_GT(slowOn.r, slowOn.b + 40);
    EXPECT_GT(fastOn.r + fastOn.g + fastOn.b, 2 * (fastOff.r + fastOff.g + fastOff.b));
    EXPECT_GT(slowOn.r + slowOn.g + slowOn.b, 2 * (slowOff.r + slowOff.g + slowOff.b));
}

// The lamps' rectangles (246..257 and 256..267, rows 154..165) share two columns. Whichever is
// drawn last, those columns must show the panel itself.
TEST(Artwork, LampsLeaveTheirSharedColumnsToThePanel)
{
    const DecodedImage panel = decodeResource(201);
    const DecodedImage fast = decodeResource(215), slow = decodeResource(216);
    ASSERT_TRUE(panel.valid() && fast.valid() && slow.valid());
    for (int frame = 0; frame < 2; ++frame)
    {
        EXPECT_TRUE(samePixels(fast, 10, frame * 12, panel, 256, 154, 2, 12)) << frame;
        EXPECT_TRUE(samePixels(slow, 0, frame * 12, panel, 256, 154, 2, 12)) << frame;
        EXPECT_TRUE(samePixels(fast, 0, frame * 12, panel, 246, 154, 1, 12)) << frame;
    }
}
} // namespace

// The displays paint black squares over the panel, and the version text may fill its rectangle
// black: the panel under all of them is black too, so no seam shows around them.
TEST(Artwork, PanelIsBlackWhereDisplaysAndTheVersionTextDraw)
{
    const DecodedImage panel = decodeResource(201);
    ASSERT_TRUE(panel.valid());
    const Box areas[] = {
        layout::kTransfer,
        layout::kLevelMeter,
        layout::kScale,
        layout::kCompMeter,
        // the version text, up to the window's outer border
        {layout::kVersion.l, layout::kVersion.t, layout::kWidth - 1, layout::kVersion.b},
    };
    for (const Box& a : areas)
        for (int y = a.t; y < a.b; ++y)
            for (int x = a.l; x < a.r; ++x)
            {
                const Pixel p = panel.at(x, y);
                ASSERT_LE(std::max({p.r, p.g, p.b}), 8) << x << "," << y;
            }
}

#ifdef OFC_ARTWORK_PROGRAM
// A painter, the layout or the identity changed without the images drawn anew would ship stale
// pictures: the committed ones (embedded here) must be what the program draws now, to the pixel.
TEST(Artwork, CommittedImagesAreWhatTheArtworkProgramDrawsNow)
{
    const std::string dir = OFC_ARTWORK_OUTPUT;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const int status = std::system(("'" OFC_ARTWORK_PROGRAM "' '" + dir + "'").c_str());
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77 && !std::getenv("CI"))
        GTEST_SKIP() << "the artwork's font is not installed";
    ASSERT_EQ(status, 0);
    for (int id = image::kFirst; id <= image::kLast; ++id)
        for (const bool doubled : {false, true})
        {
            const std::string png = std::to_string(id) + (doubled ? "@2x.png" : ".png");
            const DecodedImage drawn = decodeFile(dir + "/" + png);
            const DecodedImage committed = decodeResource(id + (doubled ? image::kDoubleSize : 0));
            ASSERT_TRUE(drawn.valid() && committed.valid()) << png;
            EXPECT_TRUE(drawn.width == committed.width && drawn.rgba == committed.rgba)
                << png << " is not what the program draws";
        }
}
#endif
