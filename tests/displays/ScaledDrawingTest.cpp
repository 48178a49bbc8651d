// A frame at a device scale: every view, image or display, stays inside its scaled rectangle,
// neighbouring images leave no gap, and the displays' lines are one logical pixel wide.

#include "CCompMeter.h"
#include "CFrame.h"
#include "CScala.h"
#include "CTransferFunction.h"
#include "ImageIds.h"
#include "LevelMeter.h"
#include "drawing/CBitmap.h"
#include "drawing/COffscreenContext.h"
#include "drawing/DeviceScale.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
bool isBlack(CColor c)
{
    return c.red == 0 && c.green == 0 && c.blue == 0;
}

CView* imageView(const CRect& rect, CBitmap& bitmap)
{
    auto* view = new CView(rect);
    view->setBackground(&bitmap);
    return view;
}

TEST(ScaledDrawing, ViewsStayInTheirScaledRectanglesAndNeighboursLeaveNoGap)
{
    CBitmap field(image::kValueField); // 51 x 17, opaque, nowhere pure black
    ASSERT_TRUE(field.isLoaded());
    // Three fields edge to edge, a meter, a level meter, a scale and a transfer display.
    const std::vector<CRect> fields = {{10, 10, 61, 27}, {61, 10, 112, 27}, {10, 27, 61, 44}};
    const std::vector<CRect> displays = {
        {120, 3, 150, 133}, {153, 3, 163, 133}, {165, 1, 188, 136}, {195, 3, 325, 133}};
    for (double scale : {1.25, 1.5, 1.75, 2.0})
    {
        SCOPED_TRACE(scale);
        CFrame frame(CRect(0, 0, 340, 140), nullptr, nullptr);
        frame.setScale(scale);
        for (const CRect& r : fields)
            frame.addView(imageView(r, field));
        auto* meter = new CCompMeter(displays[0], nullptr, 502);
        meter->setValue(13.0f);
        meter->setHold(13.0);
        frame.addView(meter);
        auto* level = new LevelMeter(displays[1], nullptr, 502);
        level->setValue(0.0f);
        frame.addView(level);
        frame.addView(new CScala(displays[2], nullptr, 18));
        frame.addView(new CTransferFunction(displays[3], nullptr, 18));
        frame.idle();

        const COffscreenContext& out = *frame.getBackBuffer();
        ASSERT_EQ(out.getWidth(), toDevicePixel(340, scale));
        std::vector<CRect> all = fields;
        all.insert(all.end(), displays.begin(), displays.end());
        int strays = 0, gaps = 0;
        for (int32_t y = 0; y < out.getHeight(); ++y)
            for (int32_t x = 0; x < out.getWidth(); ++x)
            {
                const CPoint p(x, y);
                bool inside = false, inField = false;
                for (std::size_t i = 0; i < all.size(); ++i)
                    if (toDeviceRect(all[i], scale).pointInside(p))
                        (i < fields.size() ? inField : inside) = true;
                const bool black = isBlack(out.getPixel(x, y));
                strays += !inside && !inField && !black;
                gaps += inField && black;
            }
        EXPECT_EQ(strays, 0) << "pixels drawn outside every scaled rectangle";
        EXPECT_EQ(gaps, 0) << "pixels of the image fields left unpainted";
    }
}

// The meter's grey outline, a one-pixel line, is two device pixels wide at scale 2, and its bar
// moves in device pixels: 6.35 dB of meter (63.5 logical pixels) fills 127 device rows.
TEST(ScaledDrawing, DisplayLinesAreOneLogicalPixelWide)
{
    CFrame frame(CRect(0, 0, 40, 140), nullptr, nullptr);
    frame.setScale(2.0);
    auto* meter = new CCompMeter(CRect(5, 5, 35, 135), nullptr, 502);
    meter->setValue(6.35f);
    frame.addView(meter);
    frame.idle();
    const COffscreenContext& out = *frame.getBackBuffer();
    const CColor grey{66, 66, 66, 255}, cyan{0, 204, 255, 255}, edge{51, 215, 255, 255};
    auto is = [&](int32_t x, int32_t y, CColor c)
    {
        const CColor p = out.getPixel(x, y);
        return p.red == c.red && p.green == c.green && p.blue == c.blue;
    };
    const int32_t mid = 2 * 70;
    EXPECT_TRUE(is(10, mid, grey) && is(11, mid, grey)) << "left outline";
    EXPECT_TRUE(is(12, mid, kBlackCColor)) << "inside the outline";
    EXPECT_TRUE(is(68, mid, grey) && is(69, mid, grey)) << "right outline";
    EXPECT_TRUE(is(14, 14, edge) && is(15, 14, edge) && is(16, 14, cyan)) << "bar edge";
    EXPECT_TRUE(is(30, 14 + 126, cyan)) << "last bar row";
    EXPECT_TRUE(is(30, 14 + 127, kBlackCColor)) << "first row below the bar";
}
} // namespace
