#include "CAnimKnob.h"
#include "CBitmap.h"
#include "CFrame.h"
#include "COffscreenContext.h"
#include "TestSupport.h"
#include "platform/TickClock.h"
#include "platform/headless/HeadlessWindow.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace
{
CMouseEventResult press(CFrame& frame, int x, int y, int32_t buttons = kLButton)
{
    CPoint p(x, y);
    return frame.onMouseDown(p, buttons);
}

// A view that fills its rectangle with one colour.
class SolidView : public CView
{
  public:
    SolidView(const CRect& r, CColor color) : CView(r), color(color) {}
    void draw(CDrawContext* context) override
    {
        context->setFillColor(color);
        context->fillRect(size);
        ++draws;
        setDirty(false);
    }
    CColor color;
    int draws = 0;
};

HeadlessWindow& headless(CFrame& frame)
{
    return *static_cast<HeadlessWindow*>(frame.getPlatformWindow());
}
} // namespace

TEST(Frame, PressGoesToTheLastAddedViewUnderThePointer)
{
    int destroyed = 0;
    CFrame frame(CRect(0, 0, 100, 100), nullptr, nullptr);
    auto* lower = new CountedView(CRect(0, 0, 50, 50), &destroyed);
    auto* upper = new CountedView(CRect(40, 40, 90, 90), &destroyed);
    frame.addView(lower);
    frame.addView(upper);
    press(frame, 45, 45);
    EXPECT_EQ(upper->presses.size(), 1u);
    EXPECT_EQ(lower->presses.size(), 0u);
    press(frame, 50, 10); // right edge of the lower view counts
    EXPECT_EQ(lower->presses.size(), 1u);
    EXPECT_EQ(lower->presses[0], CPoint(50, 10)); // frame coordinates
    upper->setVisible(false);
    press(frame, 45, 45);
    EXPECT_EQ(lower->presses.size(), 2u);
    lower->setMouseEnabled(false);
    EXPECT_EQ(press(frame, 45, 45), kMouseEventNotHandled);
    EXPECT_EQ(press(frame, 95, 95), kMouseEventNotHandled);
}

TEST(Frame, HandledPressCapturesMovesAndRelease)
{
    int destroyed = 0;
    CFrame frame(CRect(0, 0, 100, 100), nullptr, nullptr);
    auto* view = new CountedView(CRect(10, 10, 20, 20), &destroyed);
    frame.addView(view);
    press(frame, 15, 15);
    CPoint far(90, 90);
    frame.onMouseMoved(far, kLButton);
    frame.onMouseUp(far, 0);
    EXPECT_EQ(view->moves.size(), 1u);
    EXPECT_EQ(view->releases.size(), 1u);
    frame.onMouseMoved(far, kLButton); // released: no more moves
    EXPECT_EQ(view->moves.size(), 1u);

    view->answer = kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    press(frame, 15, 15);
    frame.onMouseMoved(far, kLButton);
    frame.onMouseUp(far, 0);
    EXPECT_EQ(view->moves.size(), 1u);
    EXPECT_EQ(view->releases.size(), 1u);
}

TEST(Frame, ModifierClicksAskTheListenerFirst)
{
    int destroyed = 0;
    RecordingListener listener;
    CFrame frame(CRect(0, 0, 100, 100), nullptr, nullptr);
    auto* control = new CountedView(CRect(0, 0, 50, 50), &destroyed, &listener, 5);
    frame.addView(control);

    press(frame, 5, 5, kLButton); // no modifier: the hook is not asked
    EXPECT_TRUE(listener.modifierClicks.empty());
    for (int32_t modifier : {kRButton, kShift, kControl, kAlt, kApple})
        press(frame, 5, 5, kLButton | modifier);
    EXPECT_EQ(listener.modifierClicks.size(), 5u);
    EXPECT_EQ(control->presses.size(), 6u); // the hook answered 0: the control had them all

    listener.consumeModifierClicks = 1;
    EXPECT_EQ(press(frame, 5, 5, kRButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(control->presses.size(), 6u);
    EXPECT_EQ(frame.getMouseCaptureView(), nullptr);
}

TEST(Frame, ModalViewTakesAllMouseInputAndRefusesASecond)
{
    int destroyed = 0;
    CFrame frame(CRect(0, 0, 100, 100), nullptr, nullptr);
    auto* below = new CountedView(CRect(0, 0, 100, 100), &destroyed);
    frame.addView(below);
    auto* modal = new CountedView(CRect(30, 30, 60, 60), &destroyed);
    auto* other = new CountedView(CRect(0, 0, 10, 10), &destroyed);

    EXPECT_TRUE(frame.setModalView(modal));
    EXPECT_EQ(frame.getModalView(), modal);
    EXPECT_FALSE(frame.setModalView(other));
    EXPECT_EQ(frame.getModalView(), modal);
    press(frame, 40, 40);
    EXPECT_EQ(modal->presses.size(), 1u);
    EXPECT_EQ(press(frame, 5, 5), kMouseEventNotHandled); // outside the modal view: nobody
    EXPECT_EQ(below->presses.size(), 0u);

    EXPECT_TRUE(frame.setModalView(nullptr));
    press(frame, 40, 40);
    EXPECT_EQ(below->presses.size(), 1u);
    EXPECT_TRUE(frame.setModalView(other));
    other->forget();
    modal->forget(); // the frame let go of it when it was cleared
    EXPECT_EQ(destroyed, 1);
}

TEST(Frame, ModalViewIsPaintedAboveEverything)
{
    CFrame frame(CRect(0, 0, 40, 40), nullptr, nullptr);
    frame.addView(new SolidView(CRect(0, 0, 40, 40), kRedCColor));
    auto* modal = new SolidView(CRect(10, 10, 20, 20), kGreenCColor);
    frame.setModalView(modal);
    frame.addView(new SolidView(CRect(0, 0, 40, 40), kBlueCColor)); // added later, still below
    frame.idle();
    EXPECT_EQ(frame.getBackBuffer()->getPixel(15, 15), kGreenCColor);
    EXPECT_EQ(frame.getBackBuffer()->getPixel(5, 5), kBlueCColor);
    frame.setModalView(nullptr);
    frame.idle();
    EXPECT_EQ(frame.getBackBuffer()->getPixel(15, 15), kBlueCColor);
    modal->forget();
}

TEST(Frame, IdleRepaintsDirtyViewsOnlyAndKeepsTheStackingOrder)
{
    CFrame frame(CRect(0, 0, 300, 200), nullptr, nullptr);
    CBitmap* strip = makeStripBitmap(70, 70, 100);
    auto* knob = new CAnimKnob(CRect(10, 10, 80, 80), nullptr, 0, strip);
    strip->forget();
    frame.addView(knob);
    auto* cover = new SolidView(CRect(60, 60, 100, 100), kRedCColor);
    frame.addView(cover);
    auto* away = new SolidView(CRect(200, 100, 250, 150), kGreenCColor);
    frame.addView(away);

    frame.idle();
    const int presented = headless(frame).getPresentCount();
    EXPECT_EQ(stripFrameOf(frame.getBackBuffer()->getPixel(20, 20)), 0);
    EXPECT_EQ(frame.getBackBuffer()->getPixel(210, 110), kGreenCColor);

    frame.idle(); // nothing changed: nothing painted
    EXPECT_EQ(headless(frame).getPresentCount(), presented);
    knob->setValue(0.f); // the value it already shows
    frame.idle();
    EXPECT_EQ(headless(frame).getPresentCount(), presented);

    const int awayDraws = away->draws;
    knob->setValue(1.f);
    frame.idle();
    EXPECT_EQ(stripFrameOf(frame.getBackBuffer()->getPixel(20, 20)), 99);
    EXPECT_EQ(frame.getBackBuffer()->getPixel(70, 70), kRedCColor); // cover stays on top
    EXPECT_EQ(away->draws, awayDraws);
    EXPECT_EQ(headless(frame).getPresentCount(), presented + 1);

    knob->setDirty(true); // forced repaint at an unchanged value
    frame.idle();
    EXPECT_EQ(headless(frame).getPresentCount(), presented + 2);

    cover->setVisible(false);
    frame.idle();
    EXPECT_EQ(stripFrameOf(frame.getBackBuffer()->getPixel(70, 70)), 99);
    EXPECT_EQ(frame.getBackBuffer()->getPixel(90, 90), kBlackCColor);
}

// An editor that is open but not yet painted holds no picture; a new scale drops the old one.
TEST(Frame, TheBackBufferIsMadeByTheFirstPaintAndAnewAfterAScaleChange)
{
    CFrame frame(CRect(0, 0, 30, 20), nullptr, nullptr);
    frame.addView(new SolidView(CRect(0, 0, 30, 20), kGreenCColor));
    EXPECT_EQ(frame.getBackBuffer(), nullptr);
    EXPECT_FALSE(frame.writePng((::testing::TempDir() + "unpainted.png").c_str()));
    frame.idle();
    ASSERT_NE(frame.getBackBuffer(), nullptr);
    frame.setScale(2.0);
    EXPECT_EQ(frame.getBackBuffer(), nullptr);
    frame.idle();
    ASSERT_NE(frame.getBackBuffer(), nullptr);
    EXPECT_EQ(frame.getBackBuffer()->getPixel(59, 39), kGreenCColor); // all of it, at 2
}

TEST(Frame, BackgroundImageAndPictureFile)
{
    CFrame frame(CRect(0, 0, 30, 20), nullptr, nullptr);
    const auto png = encodeTestPng(
        30, 20,
        [](int x, int) { return x < 15 ? MakeCColor(60, 60, 60) : MakeCColor(90, 90, 90); });
    CBitmap* background = new CBitmap(png.data(), png.size());
    frame.setBackground(background);
    background->forget();
    frame.idle();
    EXPECT_EQ(frame.getBackBuffer()->getPixel(3, 3), MakeCColor(60, 60, 60));
    EXPECT_EQ(frame.getBackBuffer()->getPixel(20, 3), MakeCColor(90, 90, 90));

    const std::string path = ::testing::TempDir() + "toolkit-frame.png";
    ASSERT_TRUE(frame.writePng(path.c_str()));
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
    CBitmap picture(bytes.data(), bytes.size());
    EXPECT_EQ(picture.getWidth(), 30);
    EXPECT_EQ(picture.getHeight(), 20);
    std::remove(path.c_str());
}

TEST(Frame, NestedEditsReachTheEditorOnceAndOpenOnesEndWithTheFrame)
{
    FakeEditor editor;
    {
        CFrame frame(CRect(0, 0, 10, 10), nullptr, &editor);
        frame.beginEdit(3);
        frame.beginEdit(3);
        frame.beginEdit(4);
        frame.endEdit(3);
        frame.endEdit(3);
        frame.endEdit(3); // unbalanced: dropped
        EXPECT_EQ(editor.events, (std::vector<std::string>{"begin 3", "begin 4", "end 3"}));
    }
    EXPECT_EQ(editor.events.back(), "end 4");
}

TEST(Frame, ViewsDieWithTheFrameUnlessSomeoneElseHoldsThem)
{
    int destroyed = 0;
    auto* kept = new CountedView(CRect(0, 0, 5, 5), &destroyed);
    {
        CFrame frame(CRect(0, 0, 10, 10), nullptr, nullptr);
        frame.addView(new CountedView(CRect(0, 0, 5, 5), &destroyed));
        frame.addView(kept);
        kept->remember();
        EXPECT_FALSE(frame.addView(kept)); // already a child
        EXPECT_EQ(kept->getFrame(), &frame);
        press(frame, 2, 2); // captured at the moment the frame goes
        auto* modal = new CountedView(CRect(0, 0, 5, 5), &destroyed);
        frame.setModalView(modal);
        modal->forget(); // now only the frame holds the modal view
    }
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(kept->getFrame(), nullptr);
    kept->forget();
    EXPECT_EQ(destroyed, 3);
}

TEST(Frame, RemovingViewsDropsFocusAndCapture)
{
    int destroyed = 0;
    CFrame frame(CRect(0, 0, 10, 10), nullptr, nullptr);
    auto* view = new CountedView(CRect(0, 0, 5, 5), &destroyed);
    frame.addView(view);
    press(frame, 1, 1);
    frame.setFocusView(view);
    EXPECT_TRUE(frame.removeView(view));
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(frame.getFocusView(), nullptr);
    EXPECT_EQ(frame.getMouseCaptureView(), nullptr);
    CPoint p(1, 1);
    EXPECT_EQ(frame.onMouseUp(p, 0), kMouseEventNotHandled);
    EXPECT_FALSE(frame.removeView(view));
}

// Controls reach the frame only through the host it hands them: while attached, a gesture takes
// the focus and reaches the editor; removed, or copied, a control has no frame to tell.
TEST(Frame, ControlsTellTheirFrameOfGesturesOnlyWhileAttached)
{
    FakeEditor editor;
    int destroyed = 0;
    CFrame frame(CRect(0, 0, 10, 10), nullptr, &editor);
    auto* control = new CountedView(CRect(0, 0, 5, 5), &destroyed, nullptr, 7);
    control->remember();
    frame.addView(control);
    control->beginEdit();
    control->endEdit();
    EXPECT_EQ(frame.getFocusView(), control);
    CView* copy = control->newCopy();
    EXPECT_EQ(static_cast<CControl*>(copy)->getControlHost(), nullptr);
    copy->forget();
    frame.removeView(control);
    EXPECT_EQ(control->getControlHost(), nullptr);
    control->beginEdit();
    control->endEdit();
    EXPECT_EQ(editor.events, (std::vector<std::string>{"begin 7", "end 7"}));
    control->forget();
}

TEST(Frame, KeysGoToTheFocusViewAndUrlsAreRecordedHeadless)
{
    class KeyView : public CView
    {
      public:
        using CView::CView;
        int32_t onKeyDown(CKeyCode& key) override
        {
            last = key.virt;
            return 1;
        }
        int last = 0;
    };
    CFrame frame(CRect(0, 0, 10, 10), nullptr, nullptr);
    auto* view = new KeyView(CRect(0, 0, 5, 5));
    frame.addView(view);
    CKeyCode key;
    key.virt = kVKeyUp;
    EXPECT_EQ(frame.onKeyDown(key), -1);
    frame.setFocusView(view);
    EXPECT_EQ(frame.onKeyDown(key), 1);
    EXPECT_EQ(view->last, kVKeyUp);

    EXPECT_TRUE(frame.getPlatformWindow()->isHeadless());
    EXPECT_TRUE(frame.openUrl("http://example.invalid/page"));
    EXPECT_FALSE(frame.openUrl(nullptr));
    EXPECT_EQ(headless(frame).getOpenedUrls(),
              (std::vector<std::string>{"http://example.invalid/page"}));
    EXPECT_GE(view->getWidth(), 5);
}

TEST(TickClock, TestsCanDriveTheClock)
{
    ManualTickSource clock(0xfffffff0u);
    setTickSource(&clock);
    EXPECT_EQ(getTickCount(), 0xfffffff0u);
    sleepMilliseconds(0x20);
    EXPECT_EQ(getTickCount(), 0x10u); // wraps like the system tick count
    setTickSource(nullptr);
    // The system's tick may be as coarse as 16 ms (Windows): sleep well past one tick.
    const uint32_t a = getTickCount();
    sleepMilliseconds(40);
    EXPECT_GE(getTickCount() - a, 20u);
}

TEST(Frame, DegenerateSizeStillWorks)
{
    CFrame frame(CRect(0, 0, 0, -4), nullptr, nullptr);
    frame.addView(new SolidView(CRect(0, 0, 10, 10), kRedCColor));
    frame.idle();
    EXPECT_EQ(press(frame, 1, 1), kMouseEventNotImplemented); // SolidView takes no input
    EXPECT_FALSE(frame.writePng((::testing::TempDir() + "empty.png").c_str()));
}
