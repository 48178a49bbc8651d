#include "COffscreenContext.h"
#include "Canvas.h"
#include "PixelBlend.h"
#include "PixelImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace
{
bool near(CColor a, CColor b, int tolerance = 0)
{
    return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
           std::abs(a.blue - b.blue) <= tolerance && std::abs(a.alpha - b.alpha) <= tolerance;
}

int countPixels(const COffscreenContext& c, CColor color)
{
    int n = 0;
    for (int y = 0; y < c.getHeight(); ++y)
        for (int x = 0; x < c.getWidth(); ++x)
            n += c.getPixel(x, y) == color;
    return n;
}

// Blending of an 8-bit source over an opaque destination, as exact arithmetic.
uint8_t blend(int src, int dst, int alpha)
{
    return static_cast<uint8_t>((src * alpha + dst * (255 - alpha)) / 255.0 + 0.5);
}
} // namespace

TEST(DrawContext, FilledRectanglePaintsExactlyItsPixelsRightAndBottomExclusive)
{
    COffscreenContext c(nullptr, 10, 10, kBlackCColor);
    c.setFillColor(kRedCColor);
    c.drawRect(CRect(2, 3, 6, 8), kDrawFilled);
    EXPECT_EQ(countPixels(c, kRedCColor), 4 * 5);
    EXPECT_EQ(c.getPixel(2, 3), kRedCColor);
    EXPECT_EQ(c.getPixel(5, 7), kRedCColor);
    EXPECT_EQ(c.getPixel(6, 7), kBlackCColor);
    EXPECT_EQ(c.getPixel(5, 8), kBlackCColor);
    EXPECT_EQ(c.getPixel(1, 3), kBlackCColor);
    EXPECT_EQ(c.getPixel(2, 2), kBlackCColor);
}

TEST(DrawContext, StrokeRunsAlongTheInnerEdgeWithoutSmearing)
{
    COffscreenContext c(nullptr, 10, 10, kBlackCColor);
    c.setFrameColor(kWhiteCColor);
    c.drawRect(CRect(2, 2, 8, 7)); // stroked by default
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
        {
            const bool inside = x >= 2 && x <= 7 && y >= 2 && y <= 6;
            const bool border = inside && (x == 2 || x == 7 || y == 2 || y == 6);
            EXPECT_EQ(c.getPixel(x, y), border ? kWhiteCColor : kBlackCColor) << x << "," << y;
        }
}

TEST(DrawContext, WideTranslucentStrokeStaysInsideAndBlendsOnceAtTheCorners)
{
    COffscreenContext c(nullptr, 12, 12, kBlackCColor);
    c.setFrameColor(MakeCColor(255, 0, 0, 128));
    c.setLineWidth(2);
    c.drawRect(CRect(1, 1, 11, 11));
    const CColor border = c.getPixel(1, 1);
    EXPECT_TRUE(near(border, MakeCColor(blend(255, 0, 128), 0, 0, 255), 1));
    for (CPoint p :
         {CPoint(2, 2), CPoint(10, 10), CPoint(1, 10), CPoint(10, 1), CPoint(5, 2), CPoint(9, 6)})
        EXPECT_EQ(c.getPixel(p.h, p.v), border) << p.h << "," << p.v;
    EXPECT_EQ(c.getPixel(3, 3), kBlackCColor);
    EXPECT_EQ(c.getPixel(8, 8), kBlackCColor);
    EXPECT_EQ(c.getPixel(0, 0), kBlackCColor);
    EXPECT_EQ(c.getPixel(11, 11), kBlackCColor);
}

TEST(DrawContext, FillAndStrokeTogether)
{
    COffscreenContext c(nullptr, 6, 6, kBlackCColor);
    c.setFillColor(kBlueCColor);
    c.setFrameColor(kGreenCColor);
    c.drawRect(CRect(0, 0, 6, 6), kDrawFilledAndStroked);
    EXPECT_EQ(c.getPixel(0, 0), kGreenCColor);
    EXPECT_EQ(c.getPixel(5, 5), kGreenCColor);
    EXPECT_EQ(c.getPixel(1, 1), kBlueCColor);
    EXPECT_EQ(c.getPixel(4, 4), kBlueCColor);
}

TEST(DrawContext, TranslucentFillsBlendWithinOneStep)
{
    const CColor base = MakeCColor(100, 150, 200);
    for (CColor src :
         {MakeCColor(0, 204, 255, 50), MakeCColor(255, 20, 0, 30), MakeCColor(0, 0, 0, 100),
          MakeCColor(0, 0, 0, 55), MakeCColor(250, 250, 250, 200)})
    {
        COffscreenContext c(nullptr, 4, 4, base);
        c.setFillColor(src);
        c.fillRect(CRect(1, 1, 3, 3));
        const CColor expected{blend(src.red, base.red, src.alpha),
                              blend(src.green, base.green, src.alpha),
                              blend(src.blue, base.blue, src.alpha), 255};
        EXPECT_TRUE(near(c.getPixel(1, 1), expected, 1))
            << int(c.getPixel(1, 1).red) << " " << int(expected.red);
        EXPECT_EQ(c.getPixel(0, 0), base);
    }
}

TEST(DrawContext, ClipRestrictsDrawingUntilReset)
{
    COffscreenContext c(nullptr, 8, 8, kBlackCColor);
    c.setClipRect(CRect(2, 2, 5, 5));
    c.setFillColor(kWhiteCColor);
    c.fillRect(CRect(0, 0, 8, 8));
    EXPECT_EQ(countPixels(c, kWhiteCColor), 9);
    EXPECT_EQ(c.getClipRect(), CRect(2, 2, 5, 5));
    c.resetClipRect();
    c.fillRect(CRect(0, 0, 8, 8));
    EXPECT_EQ(countPixels(c, kWhiteCColor), 64);
}

TEST(DrawContext, ClipLimitHoldsWhateverClipIsSetLater)
{
    COffscreenContext c(nullptr, 8, 8, kBlackCColor);
    c.setClipLimit(CRect(0, 0, 4, 4));
    c.setClipRect(CRect(0, 0, 8, 8));
    c.setFillColor(kWhiteCColor);
    c.fillRect(CRect(0, 0, 8, 8));
    EXPECT_EQ(countPixels(c, kWhiteCColor), 16);
    CRect clip;
    EXPECT_EQ(c.getClipRect(clip), CRect(0, 0, 4, 4));
}

TEST(DrawContext, LinesAreCrispAndIncludeBothEnds)
{
    COffscreenContext c(nullptr, 10, 10, kBlackCColor);
    c.setFrameColor(kWhiteCColor);
    c.moveTo(CPoint(1, 2));
    c.lineTo(CPoint(6, 2));
    c.lineTo(CPoint(6, 8));
    EXPECT_EQ(c.getPenPos(), CPoint(6, 8));
    EXPECT_EQ(countPixels(c, kWhiteCColor), 6 + 6);
    for (int x = 1; x <= 6; ++x)
        EXPECT_EQ(c.getPixel(x, 2), kWhiteCColor);
    for (int y = 2; y <= 8; ++y)
        EXPECT_EQ(c.getPixel(6, y), kWhiteCColor);
    EXPECT_EQ(c.getPixel(0, 2), kBlackCColor);
    EXPECT_EQ(c.getPixel(6, 9), kBlackCColor);
    EXPECT_EQ(c.getPixel(3, 1), kBlackCColor);
    EXPECT_EQ(c.getPixel(3, 3), kBlackCColor);
}

TEST(DrawContext, OffscreenCopyStartsAtTheSourceOffsetAndReplacesPixels)
{
    COffscreenContext src(nullptr, 4, 4, kTransparentCColor);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
        {
            src.setFillColor(
                MakeCColor(static_cast<uint8_t>(x * 60), static_cast<uint8_t>(y * 60), 9, 255));
            src.fillRect(CRect(x, y, x + 1, y + 1));
        }
    src.setFillColor(MakeCColor(0, 0, 0, 100));
    src.drawRect(CRect(2, 2, 3, 3), kDrawFilled); // blended: alpha stays 255 there
    COffscreenContext dst(nullptr, 10, 10, kWhiteCColor);
    src.copyFrom(&dst, CRect(5, 5, 8, 8), CPoint(1, 1));
    EXPECT_EQ(dst.getPixel(5, 5), src.getPixel(1, 1));
    EXPECT_EQ(dst.getPixel(7, 7), src.getPixel(3, 3));
    EXPECT_EQ(dst.getPixel(6, 6), src.getPixel(2, 2));
    EXPECT_EQ(dst.getPixel(4, 4), kWhiteCColor);
    EXPECT_EQ(dst.getPixel(8, 8), kWhiteCColor);
    EXPECT_EQ(dst.getPixel(8, 5), kWhiteCColor);

    // Beyond the source bitmap the target is left alone; the target's clip holds.
    COffscreenContext dst2(nullptr, 10, 10, kWhiteCColor);
    dst2.setClipRect(CRect(0, 0, 10, 2));
    src.copyFrom(&dst2, CRect(0, 0, 10, 10), CPoint(2, 2));
    EXPECT_EQ(dst2.getPixel(0, 0), src.getPixel(2, 2));
    EXPECT_EQ(dst2.getPixel(1, 1), src.getPixel(3, 3));
    EXPECT_EQ(dst2.getPixel(2, 0), kWhiteCColor);
    EXPECT_EQ(dst2.getPixel(0, 2), kWhiteCColor);
}

TEST(DrawContext, CopyIsAReplacementNotABlend)
{
    COffscreenContext src(nullptr, 2, 2, MakeCColor(255, 0, 0, 0));
    COffscreenContext dst(nullptr, 2, 2, kWhiteCColor);
    src.copyFrom(&dst, CRect(0, 0, 1, 1));
    EXPECT_EQ(dst.getPixel(0, 0).alpha, 0);
    EXPECT_EQ(dst.getPixel(1, 1), kWhiteCColor);
}

TEST(DrawContext, DegenerateSizesAndRectanglesDoNothing)
{
    COffscreenContext empty(nullptr, 0, -5, kWhiteCColor);
    EXPECT_EQ(empty.getWidth(), 0);
    empty.fillRect(CRect(0, 0, 10, 10));
    empty.drawString("text", CRect(0, 0, 10, 10));
    COffscreenContext c(nullptr, 4, 4, kBlackCColor);
    c.setFillColor(kWhiteCColor);
    c.fillRect(CRect(3, 3, 1, 1));
    c.drawRect(CRect(2, 2, 2, 4));
    EXPECT_EQ(countPixels(c, kBlackCColor), 16);
    EXPECT_EQ(c.getPixel(-1, 0).alpha, 0);
}

// Images land on the same pixels whichever back end draws them: every canvas blends them
// exactly as blendImageOver does, at full and at partial opacity, clipped and offset.
TEST(DrawContext, ImagesBlendWithTheSharedRounding)
{
    uint32_t seed = 12345;
    auto next = [&seed]() { return seed = seed * 1664525u + 1013904223u; };
    auto randomPremultiplied = [&](int w, int h)
    {
        PixelImage image(w, h);
        for (int i = 0; i < w * h; ++i)
        {
            const uint32_t r = next();
            const uint8_t a = (i % 5 == 0) ? 255 : (i % 7 == 0 ? 0 : uint8_t(r >> 24));
            image.data()[i] =
                PixelImage::premultiply(CColor{uint8_t(r >> 16), uint8_t(r >> 8), uint8_t(r), a});
        }
        return image;
    };
    const PixelImage source = randomPremultiplied(23, 17);
    for (const uint8_t alpha : {uint8_t(255), uint8_t(128), uint8_t(7)})
    {
        COffscreenContext context(nullptr, 40, 30, kBlackCColor);
        // The canvas draws on the target's own memory: fill it in place.
        PixelImage& target = context.getTarget();
        const PixelImage background = randomPremultiplied(40, 30);
        std::copy(background.data(), background.data() + 40 * 30, target.data());
        PixelImage expected = target;
        const CRect clip(3, 2, 33, 25), dest(5, 4, 40, 30);
        const CPoint origin(2, 1);
        context.getCanvas().setClip(clip);
        context.getCanvas().drawImage(source, dest, origin, alpha);
        blendImageOver(expected, clip, source, dest, origin, alpha);
        int differing = 0;
        for (int i = 0; i < 40 * 30; ++i)
            differing += target.data()[i] != expected.data()[i];
        EXPECT_EQ(differing, 0) << "opacity " << int(alpha);
    }
}

// Translucent fills likewise: every canvas blends a solid colour as blendColorOver does.
TEST(DrawContext, TranslucentFillsBlendWithTheSharedRounding)
{
    uint32_t seed = 777;
    auto next = [&seed]() { return seed = seed * 1664525u + 1013904223u; };
    for (int i = 0; i < 200; ++i)
    {
        const uint32_t r = next(), d = next();
        const CColor color{uint8_t(r >> 24), uint8_t(r >> 16), uint8_t(r >> 8), uint8_t(r)};
        const CColor under{uint8_t(d >> 24), uint8_t(d >> 16), uint8_t(d >> 8),
                           uint8_t(i % 2 ? 255 : d)};
        COffscreenContext context(nullptr, 4, 3, under);
        PixelImage expected(4, 3, under);
        context.getCanvas().fillRect(CRect(1, 0, 3, 2), color);
        blendColorOver(expected, CRect(0, 0, 4, 3), CRect(1, 0, 3, 2), color);
        for (int p = 0; p < 12; ++p)
            ASSERT_EQ(context.getTarget().data()[p], expected.data()[p])
                << "colour " << int(color.red) << "," << int(color.green) << "," << int(color.blue)
                << "," << int(color.alpha) << " pixel " << p;
    }
}
