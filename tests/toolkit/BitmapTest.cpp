#include "CBitmap.h"
#include "COffscreenContext.h"
#include "ImageIds.h"
#include "PngCodec.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace
{
CColor patternPixel(int x, int y)
{
    return MakeCColor(static_cast<uint8_t>(10 + x * 40), static_cast<uint8_t>(10 + y * 40), 200,
                      255);
}

CBitmap* patternBitmap()
{
    const auto png = encodeTestPng(4, 4, patternPixel);
    return new CBitmap(png.data(), png.size());
}
} // namespace

TEST(Bitmap, DecodesSizeAndDrawsWithOffset)
{
    CBitmap* bitmap = patternBitmap();
    ASSERT_TRUE(bitmap->isLoaded());
    EXPECT_EQ(bitmap->getWidth(), 4);
    EXPECT_EQ(bitmap->getHeight(), 4);

    COffscreenContext c(nullptr, 10, 10, kBlackCColor);
    CRect r(2, 2, 4, 4);
    bitmap->draw(&c, r, CPoint(1, 2));
    EXPECT_EQ(c.getPixel(2, 2), patternPixel(1, 2));
    EXPECT_EQ(c.getPixel(3, 3), patternPixel(2, 3));
    EXPECT_EQ(c.getPixel(4, 4), kBlackCColor);
    EXPECT_EQ(c.getPixel(1, 2), kBlackCColor);
    bitmap->forget();
}

TEST(Bitmap, NegativeOffsetShiftsTheImageIntoTheRectangle)
{
    CBitmap* bitmap = patternBitmap();
    COffscreenContext c(nullptr, 12, 12, kBlackCColor);
    CRect r(2, 2, 8, 10);
    bitmap->draw(&c, r, CPoint(-1, -4));
    // Image pixel (0, 0) lands one pixel right of and four below the corner.
    EXPECT_EQ(c.getPixel(3, 6), patternPixel(0, 0));
    EXPECT_EQ(c.getPixel(6, 9), patternPixel(3, 3));
    EXPECT_EQ(c.getPixel(2, 6), kBlackCColor);
    EXPECT_EQ(c.getPixel(3, 5), kBlackCColor);
    bitmap->forget();
}

TEST(Bitmap, PerPixelAlphaBlendsOverTheTarget)
{
    const auto png = encodeTestPng(
        2, 1,
        [](int x, int) { return x == 0 ? MakeCColor(200, 100, 50, 128) : MakeCColor(0, 0, 0, 0); });
    CBitmap bitmap(png.data(), png.size());
    COffscreenContext c(nullptr, 2, 1, kWhiteCColor);
    CRect r(0, 0, 2, 1);
    bitmap.drawTransparent(&c, r);
    const CColor p = c.getPixel(0, 0);
    EXPECT_NEAR(p.red, 200 * 128 / 255.0 + 255 * 127 / 255.0, 1.0);
    EXPECT_NEAR(p.green, 100 * 128 / 255.0 + 255 * 127 / 255.0, 1.0);
    EXPECT_NEAR(p.blue, 50 * 128 / 255.0 + 255 * 127 / 255.0, 1.0);
    EXPECT_EQ(c.getPixel(1, 0), kWhiteCColor); // fully transparent pixel leaves the target

    COffscreenContext half(nullptr, 2, 1, kBlackCColor);
    const auto opaque = encodeTestPng(1, 1, [](int, int) { return kWhiteCColor; });
    CBitmap white(opaque.data(), opaque.size());
    CRect one(0, 0, 1, 1);
    white.drawAlphaBlend(&half, one, CPoint(0, 0), 128);
    EXPECT_NEAR(half.getPixel(0, 0).red, 128, 1);
}

TEST(Bitmap, MissingOrDamagedImagesLoadAsEmptyAndDrawNothing)
{
    const auto good = encodeTestPng(8, 8, [](int, int) { return kWhiteCColor; });
    std::vector<unsigned char> truncated(good.begin(), good.begin() + good.size() / 2);
    std::vector<unsigned char> garbage(good.begin(), good.begin() + 8);
    garbage.resize(200, 0x5a);
    std::vector<unsigned char> flipped = good;
    flipped[flipped.size() / 2] ^= 0xff;

    std::vector<CBitmap*> bitmaps = {
        new CBitmap(9999), new CBitmap(nullptr, 0), new CBitmap(truncated.data(), truncated.size()),
        new CBitmap(garbage.data(), garbage.size()), new CBitmap(flipped.data(), flipped.size())};
    for (CBitmap* b : bitmaps)
    {
        EXPECT_FALSE(b->isLoaded());
        EXPECT_EQ(b->getWidth(), 0);
        EXPECT_EQ(b->getHeight(), 0);
        COffscreenContext c(nullptr, 8, 8, kBlackCColor);
        CRect r(0, 0, 8, 8);
        b->draw(&c, r);
        b->drawAlphaBlend(&c, r);
        EXPECT_EQ(c.getPixel(3, 3), kBlackCColor);
        b->forget();
    }
}

// The editor learns its size this way, without decoding: the header must say what decoding
// gives for every image the plug-in carries, and must not need the compressed pixels at all.
TEST(Bitmap, SizeFromTheHeaderAloneIsTheDecodedSize)
{
    for (int id = image::kFirst; id <= image::kLast + image::kDoubleSize; ++id)
    {
        if (id > image::kLast && id < image::kFirst + image::kDoubleSize) continue;
        CBitmap* decoded = new CBitmap(id);
        EXPECT_TRUE(decoded->isLoaded()) << id;
        EXPECT_EQ(CBitmap::resourceSize(id), CPoint(decoded->getWidth(), decoded->getHeight()))
            << id;
        decoded->forget();
    }
    EXPECT_EQ(CBitmap::resourceSize(9999), CPoint(0, 0));

    auto png = encodeTestPng(30, 20, [](int, int) { return kWhiteCColor; });
    png[png.size() - 20] ^= 0xff; // in the compressed pixels, before IDAT's CRC
    EXPECT_FALSE(CBitmap(png.data(), png.size()).isLoaded());
    int32_t width = 0, height = 0;
    EXPECT_TRUE(readPngSize(png.data(), png.size(), width, height));
    EXPECT_EQ(CPoint(width, height), CPoint(30, 20));
}

TEST(Bitmap, OffscreenPngRoundTrip)
{
    COffscreenContext c(nullptr, 5, 3, MakeCColor(10, 20, 30));
    c.setFillColor(MakeCColor(250, 128, 0, 255));
    c.fillRect(CRect(1, 1, 3, 2));
    const std::string path = ::testing::TempDir() + "toolkit-roundtrip.png";
    ASSERT_TRUE(c.writePng(path.c_str()));
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
    CBitmap back(bytes.data(), bytes.size());
    ASSERT_TRUE(back.isLoaded());
    COffscreenContext d(nullptr, 5, 3, kBlackCColor);
    CRect r(0, 0, 5, 3);
    back.draw(&d, r);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(d.getPixel(x, y), c.getPixel(x, y));
    std::remove(path.c_str());
    EXPECT_FALSE(c.writePng("/nonexistent-dir/x.png"));
}
