#include "PixelTestSupport.h"

#include "CFontDesc.h"
#include "CView.h"

#include <cstdlib>
#include <sstream>

Screen::Screen(int32_t width, int32_t height)
    : bitmap(std::make_unique<COffscreenContext>(nullptr, width, height, kUntouched))
{
}

void Screen::draw(CView& view)
{
    view.draw(bitmap.get());
}

CColor Screen::at(const CRect& origin, int32_t x, int32_t y) const
{
    return bitmap->getPixel(origin.left + x, origin.top + y);
}

CColor over(CColor top, CColor bottom)
{
    auto mix = [&](int t, int b)
    { return uint8_t((t * top.alpha + b * (255 - top.alpha) + 127) / 255); };
    return {mix(top.red, bottom.red), mix(top.green, bottom.green), mix(top.blue, bottom.blue),
            255};
}

std::string describe(CColor c)
{
    std::ostringstream out;
    out << "(" << int(c.red) << ", " << int(c.green) << ", " << int(c.blue) << ", " << int(c.alpha)
        << ")";
    return out.str();
}

::testing::AssertionResult sameColour(CColor actual, CColor expected, int tolerance)
{
    if (std::abs(actual.red - expected.red) <= tolerance &&
        std::abs(actual.green - expected.green) <= tolerance &&
        std::abs(actual.blue - expected.blue) <= tolerance &&
        std::abs(actual.alpha - expected.alpha) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "colour " << describe(actual) << ", expected " << describe(expected);
}

std::unique_ptr<COffscreenContext> referenceText(int32_t width, int32_t height, const char* text,
                                                 const CRect& rect, CColor colour, int32_t align)
{
    auto context = std::make_unique<COffscreenContext>(nullptr, width, height, kBlackCColor);
    context->setFont(kNormalFontVerySmall);
    context->setFontColor(colour);
    context->drawString(text, rect, 0, static_cast<CHoriTxtAlign>(align));
    return context;
}

::testing::AssertionResult sameRegion(const Screen& screen, const CRect& origin,
                                      const COffscreenContext& reference, const CRect& rect,
                                      int* lit)
{
    int count = 0;
    for (int32_t y = rect.top; y < rect.bottom; ++y)
        for (int32_t x = rect.left; x < rect.right; ++x)
        {
            const CColor expected = reference.getPixel(x, y);
            const CColor actual = screen.at(origin, x, y);
            if (!sameColour(actual, expected, 2))
                return ::testing::AssertionFailure()
                       << "at (" << x << ", " << y << "): " << describe(actual) << ", expected "
                       << describe(expected);
            if (expected.red + expected.green + expected.blue > 0) ++count;
        }
    if (lit) *lit = count;
    return ::testing::AssertionSuccess();
}
