#include "CFontDesc.h"
#include "CTextKnob.h"
#include "EditorValueText.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

class Recorder : public CControlListener
{
  public:
    void valueChanged(CControl* control) override { values.push_back(control->getValue()); }
    void controlBeginEdit(CControl*) override { ++begins; }
    void controlEndEdit(CControl*) override { ++ends; }
    std::vector<float> values;
    int begins = 0;
    int ends = 0;
};

struct TextKnob : ::testing::Test
{
    Recorder listener;
    CTextKnob* knob = new CTextKnob(CRect(20, 45, 71, 71), &listener, nullptr, 0, 1);
    ~TextKnob() override { knob->forget(); }

    void press(int x, int y, int32_t buttons = kLButton)
    {
        CPoint p(x, y);
        knob->onMouseDown(p, buttons);
    }
    void move(int x, int y, int32_t buttons = kLButton)
    {
        CPoint p(x, y);
        knob->onMouseMoved(p, buttons);
    }
    void release()
    {
        CPoint p(0, 0);
        knob->onMouseUp(p, 0);
    }
};

TEST_F(TextKnob, FiveHundredPixelsCoverTheRange)
{
    knob->setValue(0.0f);
    press(40, 600);
    move(40, 350);
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-6f);
    move(40, 100);
    EXPECT_NEAR(knob->getValue(), 1.0f, 1e-6f);
    move(40, 0); // clamped
    EXPECT_EQ(knob->getValue(), 1.0f);
    release();
    EXPECT_EQ(listener.begins, 1);
    EXPECT_EQ(listener.ends, 1);
}

TEST_F(TextKnob, UpAndRightCountAlikeSoDiagonalsAddUp)
{
    knob->setValue(0.5f);
    press(300, 300);
    move(200, 200); // 100 up, 100 left
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-6f);
    move(350, 250); // 50 up, 50 right
    EXPECT_NEAR(knob->getValue(), 0.7f, 1e-6f);
    release();
}

TEST_F(TextKnob, ShiftHalvesTheRateWithoutAJump)
{
    knob->setValue(0.0f);
    press(40, 500);
    move(40, 400);
    EXPECT_NEAR(knob->getValue(), 0.2f, 1e-6f);
    // Shift is seen at the next position; the value there is what the old rate gives ...
    move(40, 300, kLButton | kShift);
    EXPECT_NEAR(knob->getValue(), 0.4f, 1e-5f);
    // ... and from there on 100 pixels count half.
    move(40, 200, kLButton | kShift);
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-5f);
    move(40, 100, kLButton); // released: no jump, then the full rate again
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-5f);
    move(40, 50, kLButton);
    EXPECT_NEAR(knob->getValue(), 0.7f, 1e-5f);
    release();
}

TEST_F(TextKnob, ShiftFromThePressAndMovesWithoutTheButton)
{
    knob->setValue(0.0f);
    press(40, 500, kLButton | kShift);
    move(40, 400, kLButton | kShift);
    EXPECT_NEAR(knob->getValue(), 0.1f, 1e-6f);
    move(40, 100, 0); // no button: ignored
    EXPECT_NEAR(knob->getValue(), 0.1f, 1e-6f);
    release();
}

TEST_F(TextKnob, ControlClickRestoresTheDefault)
{
    knob->setDefaultValue(1.0f);
    knob->setValue(0.3f);
    knob->setDirty(false); // as after a redraw
    listener.values.clear();
    press(40, 50, kLButton | kControl);
    EXPECT_EQ(knob->getValue(), 1.0f);
    EXPECT_EQ(listener.values, std::vector<float>{1.0f});
    EXPECT_EQ(listener.begins, listener.ends);
    knob->setValue(0.3f);
    press(40, 50, kLButton | kControl | kShift); // not exactly left + control: a drag starts
    EXPECT_EQ(knob->getValue(), 0.3f);
    release();
}

TEST_F(TextKnob, WheelAndArrowKeys)
{
    knob->setValue(0.5f);
    EXPECT_TRUE(knob->onWheel(CPoint(40, 50), 1.0f, 0));
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-6f);
    EXPECT_TRUE(knob->onWheel(CPoint(40, 50), -1.0f, kShift));
    EXPECT_NEAR(knob->getValue(), 0.59f, 1e-6f);
    CKeyCode key;
    key.virt = kVKeyLeft;
    EXPECT_EQ(knob->onKeyDown(key), 1);
    EXPECT_NEAR(knob->getValue(), 0.49f, 1e-6f);
    key.virt = kVKeyRight;
    key.modifier = kKeyModShift;
    EXPECT_EQ(knob->onKeyDown(key), 1);
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-6f);
    key.virt = 0;
    key.character = 'x';
    EXPECT_EQ(knob->onKeyDown(key), -1);
    knob->setMouseEnabled(false);
    EXPECT_FALSE(knob->onWheel(CPoint(40, 50), 1.0f, 0));
    EXPECT_EQ(listener.begins, 4);
}

TEST_F(TextKnob, TextComesFromTheValueTextFunction)
{
    char text[CTextKnob::kTextBufferSize];
    knob->setValue(0.5f);
    knob->formatValue(text);
    EXPECT_STREQ(text, "0.50");
    knob->setStringConvert(harmonicsAmountText);
    knob->formatValue(text);
    EXPECT_STREQ(text, "100%");
    knob->setStringConvert(
        [](float, char* t, void* data)
        {
            *t = *static_cast<char*>(data);
            t[1] = 0;
        },
        const_cast<char*>("u"));
    knob->formatValue(text);
    EXPECT_STREQ(text, "u");
}

TEST_F(TextKnob, SettersMarkDirtyOnlyOnChange)
{
    knob->setDirty(false);
    knob->setFontColor(kWhiteCColor);
    EXPECT_FALSE(knob->isDirty());
    knob->setFontColor(CColor{100, 100, 100, 255});
    EXPECT_TRUE(knob->isDirty());
    knob->setDirty(false);
    knob->setFont(kNormalFontSmaller);
    EXPECT_TRUE(knob->isDirty());
    EXPECT_TRUE(knob->isTypeOf("CTextKnob"));
    EXPECT_TRUE(knob->isTypeOf("CView"));
    CView* copy = knob->newCopy();
    EXPECT_EQ(static_cast<CTextKnob*>(copy)->getFont(), knob->getFont());
    copy->forget();
}

} // namespace
