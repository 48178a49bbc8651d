#include "CBitmap.h"
#include "CFrame.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(Control, DirtyWhileTheValueDiffersFromTheDrawnOne)
{
    CControl c(CRect(0, 0, 10, 10));
    EXPECT_TRUE(c.isDirty()); // value 0.0, drawn value 1.0
    c.setDirty(false);
    EXPECT_FALSE(c.isDirty());
    c.setValue(0.f); // the value it already shows
    EXPECT_FALSE(c.isDirty());
    c.setDirty(true); // forced
    EXPECT_TRUE(c.isDirty());
    EXPECT_EQ(c.getOldValue(), -1.f);
    c.setDirty(false);
    c.setValue(0.25f);
    EXPECT_TRUE(c.isDirty());
}

TEST(Control, ForcedDirtyAtMinusOneUsesZeroAsTheDrawnValue)
{
    CControl c(CRect(0, 0, 10, 10));
    c.setMin(-2.f);
    c.setValue(-1.f);
    c.setDirty(false);
    EXPECT_FALSE(c.isDirty());
    c.setDirty(true);
    EXPECT_EQ(c.getOldValue(), 0.f);
    c.CView::setDirty(false); // only the view flag: the value still counts as changed
    EXPECT_TRUE(c.isDirty());
}

TEST(Control, ValuesAreStoredUnclampedUntilBounced)
{
    CControl c(CRect(0, 0, 10, 10));
    c.setValue(1.7f);
    EXPECT_EQ(c.getValue(), 1.7f);
    c.bounceValue();
    EXPECT_EQ(c.getValue(), 1.f);
    c.setValue(-3.f);
    c.bounceValue();
    EXPECT_EQ(c.getValue(), 0.f);
    c.setValue(NAN);
    c.bounceValue();
    EXPECT_EQ(c.getValue(), 0.f);
    c.setValue(NAN);
    c.setDirty(false);
    EXPECT_FALSE(c.isDirty()); // a NaN that has been drawn is not redrawn for ever
}

TEST(Control, DefaultGestureNeedsExactlyLeftAndControl)
{
    RecordingListener listener;
    CControl c(CRect(0, 0, 10, 10), &listener, 7);
    c.setDefaultValue(0.4f);
    c.setValue(0.9f);
    c.setDirty(false);
    for (int32_t buttons :
         {int32_t(kLButton), int32_t(kControl), kLButton | kControl | kShift,
          kLButton | kControl | kAlt, kRButton | kControl, kLButton | kControl | kDoubleClick})
    {
        EXPECT_FALSE(c.checkDefaultValue(buttons)) << buttons;
        EXPECT_EQ(c.getValue(), 0.9f);
    }
    EXPECT_TRUE(listener.events.empty());
    EXPECT_TRUE(c.checkDefaultValue(kLButton | kControl));
    EXPECT_EQ(c.getValue(), 0.4f);
    EXPECT_EQ(listener.events,
              (std::vector<std::string>{"listener begin 7", "changed 7", "listener end 7"}));
}

TEST(Control, ReferenceCountsReachZero)
{
    int destroyed = 0;
    auto* view = new CountedView(CRect(0, 0, 1, 1), &destroyed);
    EXPECT_EQ(view->getNbReference(), 1);
    view->remember();
    view->forget();
    EXPECT_EQ(destroyed, 0);
    view->forget();
    EXPECT_EQ(destroyed, 1);

    CBitmap* bitmap = makeStripBitmap(2, 2, 2);
    {
        CControl a(CRect(0, 0, 2, 2), nullptr, 0, bitmap);
        EXPECT_EQ(bitmap->getNbReference(), 2);
        CView* copy = a.newCopy();
        EXPECT_EQ(bitmap->getNbReference(), 3);
        copy->forget();
        a.setBackground(nullptr);
        EXPECT_EQ(bitmap->getNbReference(), 1);
        a.setBackground(bitmap);
        a.setBackground(bitmap); // the same bitmap again keeps one reference
        EXPECT_EQ(bitmap->getNbReference(), 2);
    }
    EXPECT_EQ(bitmap->getNbReference(), 1);
    bitmap->forget();
}

TEST(Control, HitTestIncludesTheRightAndBottomEdges)
{
    CView v(CRect(10, 20, 30, 40));
    EXPECT_TRUE(v.hitTest(CPoint(10, 20)));
    EXPECT_TRUE(v.hitTest(CPoint(30, 40)));
    EXPECT_FALSE(v.hitTest(CPoint(31, 40)));
    EXPECT_FALSE(v.hitTest(CPoint(9, 25)));
    v.setMouseableArea(CRect(0, 0, 50, 50));
    EXPECT_TRUE(v.hitTest(CPoint(45, 5)));
}

TEST(Control, TypeNamesFollowTheClassChain)
{
    CControl c(CRect(0, 0, 1, 1));
    EXPECT_TRUE(c.isTypeOf("CControl"));
    EXPECT_TRUE(c.isTypeOf("CView"));
    EXPECT_FALSE(c.isTypeOf("CKnob"));
    EXPECT_FALSE(c.isTypeOf(nullptr));
}

TEST(Control, VisibilityChangesMarkTheViewDirty)
{
    CView v(CRect(0, 0, 1, 1));
    EXPECT_FALSE(v.isDirty());
    v.setVisible(true);
    EXPECT_FALSE(v.isDirty());
    v.setVisible(false);
    EXPECT_TRUE(v.isDirty());
}
