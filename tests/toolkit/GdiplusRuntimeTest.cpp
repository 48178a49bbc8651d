// GDI+ runs while editor frames exist, and a GDI+ that will not start leaves the window blank
// without harming anything else.
#include "GdiplusRuntime.h"
#include "CFrame.h"
#include "COffscreenContext.h"
#include "CView.h"

#include <gtest/gtest.h>

namespace
{
class RedView : public CView
{
  public:
    explicit RedView(const CRect& r) : CView(r) {}
    void draw(CDrawContext* context) override
    {
        context->setFillColor(kRedCColor);
        context->fillRect(size);
        setDirty(false);
    }
};

bool failingStartup(unsigned long long&)
{
    return false;
}

CColor drawnPixel(bool startupWorks)
{
    gdiplusruntime::setStartupForTesting(startupWorks ? nullptr : &failingStartup);
    CFrame* frame = new CFrame(CRect(0, 0, 20, 20), nullptr, nullptr);
    frame->addView(new RedView(CRect(0, 0, 20, 20)));
    frame->idle();
    const CColor pixel = frame->getBackBuffer()->getPixel(5, 5);
    frame->forget();
    gdiplusruntime::setStartupForTesting(nullptr);
    return pixel;
}
} // namespace

TEST(GdiplusRuntime, RunsWhileAFrameLivesAndStopsWithTheLast)
{
    EXPECT_EQ(gdiplusruntime::leaseCount(), 0);
    CFrame* first = new CFrame(CRect(0, 0, 10, 10), nullptr, nullptr);
    const int perFrame = gdiplusruntime::leaseCount(); // the frame's and its back buffer's
    EXPECT_GT(perFrame, 0);
    CFrame* second = new CFrame(CRect(0, 0, 10, 10), nullptr, nullptr);
    EXPECT_EQ(gdiplusruntime::leaseCount(), 2 * perFrame);
    first->forget();
    EXPECT_EQ(gdiplusruntime::leaseCount(), perFrame);
    second->forget();
    EXPECT_EQ(gdiplusruntime::leaseCount(), 0);
}

TEST(GdiplusRuntime, AFailedStartLeavesTheWindowBlankAndIsTriedAgainLater)
{
    EXPECT_EQ(drawnPixel(false), kBlackCColor);
    EXPECT_EQ(drawnPixel(true), kRedCColor);
    EXPECT_EQ(gdiplusruntime::leaseCount(), 0);
}
