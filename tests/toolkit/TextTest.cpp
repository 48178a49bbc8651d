#include "CFontDesc.h"
#include "COffscreenContext.h"

#include <gtest/gtest.h>

namespace
{
// Bounding box of all pixels that differ from the background.
CRect inkBox(const COffscreenContext& c, CColor background = kBlackCColor)
{
    CRect box(c.getWidth(), c.getHeight(), -1, -1);
    for (int y = 0; y < c.getHeight(); ++y)
        for (int x = 0; x < c.getWidth(); ++x)
            if (c.getPixel(x, y) != background)
            {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box;
}

CRect drawText(const char* text, const CRect& rect, CHoriTxtAlign align = kCenterText,
               CFontDesc* font = kNormalFontSmaller)
{
    COffscreenContext c(nullptr, 120, 60, kBlackCColor);
    c.setFont(font);
    c.setFontColor(kWhiteCColor);
    c.drawString(text, rect, 0, align);
    return inkBox(c);
}
} // namespace

TEST(Text, ReferenceLineFollowsTheRectangleBottomAndHalfHeights)
{
    // h = 18, s = 10: the reference line is at bottom - (9 - 5 + 1) = 23.
    const CRect ink = drawText("0123", CRect(10, 10, 61, 28));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LE(ink.bottom - 1, 23); // digits sit on the baseline, above the line's bottom
    EXPECT_GE(ink.bottom - 1, 23 - 4);
    EXPECT_GE(ink.top, 10);
    EXPECT_GE(ink.top, 23 - 12);

    // Two more pixels of height at the bottom move the text down by one (h / 2 grows by 1).
    const CRect taller = drawText("0123", CRect(10, 10, 61, 30));
    EXPECT_EQ(taller.top, ink.top + 1);
    EXPECT_EQ(taller.bottom, ink.bottom + 1);
    // An odd height truncates: 19 places the text like 18 with the same bottom.
    const CRect odd = drawText("0123", CRect(10, 9, 61, 28));
    EXPECT_EQ(odd.top, ink.top);
    EXPECT_EQ(odd.bottom, ink.bottom);
}

TEST(Text, HorizontalAlignment)
{
    const CRect rect(20, 10, 100, 28);
    const CRect left = drawText("88", rect, kLeftText);
    const CRect right = drawText("88", rect, kRightText);
    const CRect centre = drawText("88", rect, kCenterText);
    EXPECT_GE(left.left, rect.left);
    EXPECT_LE(left.left, rect.left + 2);
    EXPECT_LE(right.right, rect.right);
    EXPECT_GE(right.right, rect.right - 2);
    const double mid = (centre.left + centre.right) / 2.0;
    EXPECT_NEAR(mid, (rect.left + rect.right) / 2.0, 1.5);
    EXPECT_EQ(left.top, right.top);
    EXPECT_EQ(left.width(), centre.width());
}

TEST(Text, TextIsClippedToItsRectangleAndTheClipIsRestored)
{
    COffscreenContext c(nullptr, 120, 40, kBlackCColor);
    c.setFont(kNormalFontBig);
    c.setFontColor(kWhiteCColor);
    const CRect narrow(10, 5, 30, 30);
    c.drawString("a rather long text", narrow, 0, kLeftText);
    const CRect ink = inkBox(c);
    EXPECT_GE(ink.left, narrow.left);
    EXPECT_LE(ink.right, narrow.right);
    c.setFillColor(kBlueCColor);
    c.fillRect(CRect(0, 0, 120, 40));
    EXPECT_EQ(c.getPixel(119, 39), kBlueCColor);
}

TEST(Text, OpaqueTextFillsItsRectangleFirst)
{
    COffscreenContext c(nullptr, 60, 30, kBlackCColor);
    c.setFillColor(kBlueCColor);
    c.setFontColor(kWhiteCColor);
    c.drawString("1", CRect(5, 5, 55, 25), 1, kCenterText);
    EXPECT_EQ(c.getPixel(5, 5), kBlueCColor);
    EXPECT_EQ(c.getPixel(54, 24), kBlueCColor);
    EXPECT_EQ(c.getPixel(4, 4), kBlackCColor);
}

TEST(Text, WidthsComeFromTheSelectedFont)
{
    COffscreenContext c(nullptr, 10, 10, kBlackCColor);
    c.setFont(kNormalFontSmaller);
    const int32_t one = c.getStringWidth("0");
    EXPECT_GT(one, 2);
    EXPECT_EQ(c.getStringWidth("00"), 2 * one); // whole-pixel advances
    c.setFont(kNormalFontVeryBig);
    EXPECT_GT(c.getStringWidth("0"), one);
    c.setFont(kNormalFontVeryBig, 10); // an explicit size wins over the font's own
    EXPECT_EQ(c.getStringWidth("0"), one);
    EXPECT_EQ(c.getStringWidth(""), 0);
    EXPECT_EQ(c.getStringWidth(nullptr), 0);
}

TEST(Text, MissingFamiliesAndBrokenTextStillDraw)
{
    CFontDesc unknown("No Such Family Anywhere", 12);
    EXPECT_FALSE(drawText("Abc", CRect(0, 0, 100, 30), kLeftText, &unknown).isEmpty());

    // Bytes that are not UTF-8 (a Latin-1 name) must not stall the context.
    COffscreenContext c(nullptr, 100, 30, kBlackCColor);
    c.setFontColor(kWhiteCColor);
    c.drawString("Caf\xe9 \xff\xfe", CRect(0, 0, 100, 30), 0, kLeftText);
    EXPECT_FALSE(inkBox(c).isEmpty());
    c.setFillColor(kRedCColor);
    c.fillRect(CRect(0, 0, 1, 1));
    EXPECT_EQ(c.getPixel(0, 0), kRedCColor);
}
