// The host tells the editor its scale through the vendor call convention; the editor
// answers its size at that scale and an open window follows a change.

#include "EditorTestSupport.h"
#include "drawing/COffscreenContext.h"

namespace
{
class EditorScaleTest : public EditorFixture
{
  protected:
    VstIntPtr tellScale(float factor)
    {
        return effect->dispatcher(effVendorSpecific, vstFourCC('P', 'r', 'e', 'S'),
                                  vstFourCC('A', 'e', 'C', 's'), nullptr, factor);
    }
    CPoint reportedSize()
    {
        ERect* rect = nullptr;
        EXPECT_EQ(effect->dispatcher(effEditGetRect, 0, 0, &rect, 0), 1);
        return rect ? CPoint(rect->right - rect->left, rect->bottom - rect->top) : CPoint();
    }
};

TEST_F(EditorScaleTest, ReportsItsSizeAtTheHostsFactor)
{
    const struct
    {
        float factor;
        CPoint size;
    } cases[] = {{1.0f, {690, 270}},   {1.25f, {863, 338}}, {1.5f, {1035, 405}},
                 {1.75f, {1208, 473}}, {2.0f, {1380, 540}}, {3.0f, {1380, 540}},
                 {0.5f, {690, 270}}};
    for (const auto& c : cases)
    {
        EXPECT_EQ(tellScale(c.factor), 1);
        const CPoint size = reportedSize();
        EXPECT_EQ(size.h, c.size.h) << c.factor;
        EXPECT_EQ(size.v, c.size.v) << c.factor;
    }
    // Other vendor calls are not taken for a scale.
    EXPECT_EQ(
        effect->dispatcher(effVendorSpecific, vstFourCC('P', 'r', 'e', 'S'), 0, nullptr, 1.5f), 0);
    EXPECT_EQ(reportedSize().h, 690);
}

TEST_F(EditorScaleTest, OpenWindowRedrawsAtANewFactor)
{
    open();
    frame()->idle();
    EXPECT_EQ(frame()->getBackBuffer()->getWidth(), 690);
    tellScale(2.0f);
    frame()->idle();
    EXPECT_EQ(frame()->getScale(), 2.0);
    EXPECT_EQ(frame()->getBackBuffer()->getWidth(), 1380);
    EXPECT_EQ(frame()->getBackBuffer()->getHeight(), 540);
    EXPECT_EQ(reportedSize().h, 1380);
    // Views keep their logical places: the threshold knob is still where the layout puts it.
    EXPECT_EQ(control(3)->getViewSize().left, 107);
}
} // namespace
