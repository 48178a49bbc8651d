#include "CAnimKnob.h"
#include "CBitmap.h"
#include "CFrame.h"
#include "COffscreenContext.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
// A 70 x 70 film-strip knob with 100 frames on a headless frame, as the editor places them.
struct KnobRig
{
    FakeEditor editor;
    RecordingListener listener;
    CFrame frame{CRect(0, 0, 300, 300), nullptr, &editor};
    CBitmap* strip = makeStripBitmap(70, 70, 100);
    CAnimKnob* knob = new CAnimKnob(CRect(100, 100, 170, 170), &listener, 3, strip);

    KnobRig()
    {
        editor.attach(&frame);
        frame.addView(knob);
        strip->forget(); // the knob holds it now
    }
    CMouseEventResult press(int x, int y, int32_t buttons = kLButton)
    {
        CPoint p(x, y);
        return frame.onMouseDown(p, buttons);
    }
    void move(int x, int y, int32_t buttons = kLButton)
    {
        CPoint p(x, y);
        frame.onMouseMoved(p, buttons);
    }
    void release(int x, int y)
    {
        CPoint p(x, y);
        frame.onMouseUp(p, 0);
    }
};
} // namespace

TEST(AnimKnob, FilmStripFrameFromValue)
{
    KnobRig rig;
    EXPECT_EQ(rig.knob->getNumSubPixmaps(), 100);
    const std::pair<float, int> cases[] = {{0.f, 0},   {0.5f, 49}, {1.f, 99},  {-0.3f, 0},
                                           {1.5f, 99}, {NAN, 0},   {0.01f, 0}, {0.0102f, 1}};
    for (auto [value, frame] : cases)
    {
        rig.knob->setValue(value);
        EXPECT_EQ(rig.knob->frameIndex(), frame) << value;
    }
    // The frame really shown: draw at 0.5 and read the strip colour back.
    rig.knob->setValue(0.5f);
    COffscreenContext c(nullptr, 300, 300, kBlackCColor);
    rig.knob->draw(&c);
    EXPECT_EQ(stripFrameOf(c.getPixel(135, 135)), 49);
    EXPECT_EQ(stripFrameOf(c.getPixel(169, 169)), 49);
    EXPECT_EQ(c.getPixel(170, 135), kBlackCColor);
    EXPECT_FALSE(rig.knob->isDirty());
}

TEST(AnimKnob, LinearDragTakes600PixelsUpOrRight)
{
    KnobRig rig;
    EXPECT_EQ(rig.press(130, 130), kMouseEventHandled);
    EXPECT_EQ(rig.knob->getValue(), 0.f); // the press alone changes nothing
    rig.move(130, -170);                  // 300 up
    EXPECT_NEAR(rig.knob->getValue(), 0.5f, 1e-6);
    rig.move(280, -20); // 150 up and 150 right
    EXPECT_NEAR(rig.knob->getValue(), 0.5f, 1e-6);
    rig.move(130, -470); // 600 up
    EXPECT_EQ(rig.knob->getValue(), 1.f);
    rig.move(130, -900); // clamped
    EXPECT_EQ(rig.knob->getValue(), 1.f);
    rig.move(30, 30); // 100 up and 100 left
    EXPECT_NEAR(rig.knob->getValue(), 0.f, 1e-6);
    rig.release(30, 30);
    EXPECT_EQ(rig.editor.events, (std::vector<std::string>{"begin 3", "end 3"}));
    EXPECT_EQ(rig.listener.changedCount(), 3); // 0.5, 1.0 and 0.0, each once
}

TEST(AnimKnob, ShiftMakesTheRangeFiveTimesLonger)
{
    KnobRig rig;
    rig.press(130, 130, kLButton | kShift);
    rig.move(130, -170, kLButton | kShift); // 300 of 3000 pixels
    EXPECT_NEAR(rig.knob->getValue(), 0.1f, 1e-6);
}

TEST(AnimKnob, ShiftDuringTheDragChangesTheRateWithoutAJump)
{
    KnobRig rig;
    rig.press(130, 130);
    rig.move(130, 10); // 120 up: 0.2
    EXPECT_NEAR(rig.knob->getValue(), 0.2f, 1e-6);
    rig.move(130, 9, kLButton | kShift); // one more pixel, now with shift
    const float atSwitch = rig.knob->getValue();
    EXPECT_NEAR(atSwitch, 121.f / 600.f, 1e-5);
    rig.move(130, -291, kLButton | kShift); // 300 more at the slow rate
    EXPECT_NEAR(rig.knob->getValue(), atSwitch + 0.1f, 1e-5);
    rig.move(130, -292); // shift released: no jump back either
    const float atRelease = rig.knob->getValue();
    EXPECT_NEAR(atRelease, atSwitch + 0.1f + 1.f / 3000.f, 1e-5);
    rig.move(130, -352);
    EXPECT_NEAR(rig.knob->getValue(), atRelease + 0.1f, 1e-5);
}

TEST(AnimKnob, ControlClickResetsInsideOneGesture)
{
    KnobRig rig;
    rig.knob->setDefaultValue(0.4f);
    rig.knob->setValue(0.9f);
    rig.frame.idle();
    EXPECT_EQ(rig.press(130, 130, kLButton | kControl),
              kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(rig.knob->getValue(), 0.4f);
    EXPECT_EQ(rig.editor.events, (std::vector<std::string>{"begin 3", "end 3"}));
    EXPECT_EQ(rig.listener.changedCount(), 1);
    EXPECT_EQ(rig.frame.getMouseCaptureView(), nullptr);
    // The hook was asked first (control is a modifier) and declined.
    EXPECT_EQ(rig.listener.modifierClicks, (std::vector<int32_t>{kLButton | kControl}));
}

TEST(AnimKnob, ControlShiftClickIsAnOrdinaryDrag)
{
    KnobRig rig;
    rig.knob->setDefaultValue(0.4f);
    rig.knob->setValue(0.9f);
    rig.frame.idle();
    EXPECT_EQ(rig.press(130, 130, kLButton | kControl | kShift), kMouseEventHandled);
    EXPECT_EQ(rig.knob->getValue(), 0.9f);
    EXPECT_EQ(rig.editor.events, (std::vector<std::string>{"begin 3"}));
    rig.release(130, 130);
    EXPECT_EQ(rig.editor.events, (std::vector<std::string>{"begin 3", "end 3"}));
    EXPECT_EQ(rig.listener.changedCount(), 0);
}

TEST(AnimKnob, CircularModeFollowsTheAngle)
{
    KnobRig rig;
    rig.editor.knobMode = kCircularMode;
    rig.knob->setValue(0.4f);
    rig.press(135, 110); // straight above the centre (135, 135)
    EXPECT_NEAR(rig.knob->getValue(), 0.5f, 1e-6);
    rig.move(160, 135); // 3 o'clock: 225 of 270 degrees
    EXPECT_NEAR(rig.knob->getValue(), 225.f / 270.f, 1e-5);
    rig.move(160, 160); // lower right: the end of the range
    EXPECT_NEAR(rig.knob->getValue(), 1.f, 1e-5);
    rig.move(110, 160); // across the gap: stays at the end it came from
    EXPECT_EQ(rig.knob->getValue(), 1.f);
    rig.release(110, 160);

    rig.knob->setValue(0.1f);
    rig.press(160, 161); // a jump of more than half the range snaps to the near end
    EXPECT_EQ(rig.knob->getValue(), 0.f);
    rig.release(160, 161);
}

TEST(AnimKnob, AltSwapsLinearAndCircular)
{
    KnobRig rig;
    rig.knob->setValue(0.2f);
    rig.press(135, 110, kLButton | kAlt); // linear mode + alt: circular
    EXPECT_NEAR(rig.knob->getValue(), 0.5f, 1e-6);
    rig.release(135, 110);

    rig.editor.knobMode = kRelativCircularMode; // treated as circular, so alt makes it linear
    rig.knob->setValue(0.2f);
    rig.press(135, 110, kLButton | kAlt);
    EXPECT_EQ(rig.knob->getValue(), 0.2f);
    rig.move(135, 50, kLButton | kAlt);
    EXPECT_NEAR(rig.knob->getValue(), 0.3f, 1e-6);
    rig.release(135, 50);
}

TEST(AnimKnob, MovesWithoutTheLeftButtonAreIgnored)
{
    KnobRig rig;
    rig.press(130, 130);
    rig.move(130, 0, 0);
    EXPECT_EQ(rig.knob->getValue(), 0.f);
}

TEST(AnimKnob, WheelStepsByTheIncrementInOneGesturePerNotch)
{
    KnobRig rig;
    rig.knob->setValue(0.5f);
    rig.frame.idle();
    EXPECT_TRUE(rig.frame.onWheel(CPoint(130, 130), 1.f, 0));
    EXPECT_NEAR(rig.knob->getValue(), 0.6f, 1e-6);
    EXPECT_TRUE(rig.frame.onWheel(CPoint(130, 130), -1.f, kShift));
    EXPECT_NEAR(rig.knob->getValue(), 0.59f, 1e-6);
    EXPECT_EQ(rig.editor.events,
              (std::vector<std::string>{"begin 3", "end 3", "begin 3", "end 3"}));
    EXPECT_EQ(rig.listener.changedCount(), 2);

    rig.knob->setValue(1.f);
    rig.frame.idle();
    rig.frame.onWheel(CPoint(130, 130), 3.f, 0); // at the top already: no change, no gesture
    EXPECT_EQ(rig.listener.changedCount(), 2);
    EXPECT_FALSE(rig.frame.onWheel(CPoint(130, 130), NAN, 0));
    rig.knob->setMouseEnabled(false);
    EXPECT_FALSE(rig.knob->onWheel(CPoint(130, 130), 1.f, 0));
}

TEST(KnobMode, ProcessWideSettingStartsLinear)
{
    EXPECT_EQ(getGlobalKnobMode(), kLinearMode);
    CFrame frame(CRect(0, 0, 10, 10), nullptr, nullptr);
    EXPECT_EQ(frame.getKnobMode(), kLinearMode);
    setGlobalKnobMode(kCircularMode);
    EXPECT_EQ(frame.getKnobMode(), kCircularMode);
    setGlobalKnobMode(kLinearMode);
}
