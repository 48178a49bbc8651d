#include "CCompMeter.h"
#include "CTextKnob.h"
#include "CTransferFunction.h"
#include "EditorTestSupport.h"
#include "LevelMeter.h"
#include "controls/CParamDisplay.h"

#include <string>
#include <vector>

namespace
{

using Routing = EditorFixture;
using Strings = std::vector<std::string>;

constexpr CColor kNormal = {250, 250, 250, 255};
constexpr CColor kDimmed = {100, 100, 100, 255};

// Views 13 to 21 and the three text knobs (12, 22, 23), by the parameter they show.
CColor textColour(Routing& t, VstInt32 parameter)
{
    for (int view : {13, 14, 15, 16, 17, 18, 19, 20, 21})
    {
        auto* display = dynamic_cast<CParamDisplay*>(t.frame()->getView(view - 1));
        const VstInt32 shows[] = {kThreshold, kRatio,   kKnee,         kMakeUpGain, kDryMix,
                                  kAttack,    kRelease, kScFilterFreq, kReleaseSlow};
        if (shows[view - 13] == parameter) return display->getFontColor();
    }
    const int knobView = parameter == kDetection ? 12 : parameter == kLfHarmonicsAmount ? 22 : 23;
    return dynamic_cast<CTextKnob*>(t.frame()->getView(knobView - 1))->getFontColor();
}

TEST_F(Routing, HostChangesReachTheControls)
{
    open();
    effect->setParameter(kThreshold, 0.5f);
    EXPECT_EQ(control(3)->getValue(), 0.5f);
    EXPECT_EQ(control(13)->getValue(), 0.5f);
    EXPECT_DOUBLE_EQ(dynamic_cast<CTransferFunction*>(control(33))->getSettings().threshold, -25.0);
    EXPECT_EQ(dynamic_cast<LevelMeter*>(control(31))->getThresholdMarker(), -25.0f);
    EXPECT_TRUE(control(33)->isDirty());
    EXPECT_TRUE(control(31)->isDirty());

    effect->setParameter(kMakeUpGain, 1.0f); // the display's make-up stops at +12 dB
    EXPECT_DOUBLE_EQ(dynamic_cast<CTransferFunction*>(control(33))->getSettings().makeUp, 12.0);
    effect->setParameter(kMeterScale, 0.5f);
    EXPECT_EQ(control(32)->getValue(), 0.5f);
    effect->setParameter(kDetection, 0.0f);
    EXPECT_EQ(control(12)->getValue(), 0.0f);

    effect->setProgram(3);
    for (int view = 3; view <= 11; ++view)
        EXPECT_EQ(control(view)->getValue(), effect->getParameter(control(view)->getTag()));
    EXPECT_TRUE(hostCalls().empty()); // host changes are not echoed back as automation
}

TEST_F(Routing, KnobDragReachesTheHostAsOneGesture)
{
    open();
    drag(CPoint(142, 83), CPoint(142, 23)); // 60 of 600 pixels upwards
    EXPECT_EQ(gestureSummary(), (Strings{"begin 3", "automate 3", "end 3"}));
    EXPECT_NEAR(effect->getParameter(kThreshold), 0.1f, 1e-6f);
    EXPECT_EQ(control(13)->getValue(), effect->getParameter(kThreshold));
    EXPECT_FLOAT_EQ(hostCalls()[hostCalls().size() - 2].value, effect->getParameter(kThreshold));
}

TEST_F(Routing, ControlClickRestoresTheDefaultInOneGesture)
{
    open();
    effect->setParameter(kAttack, 0.9f);
    frame()->idle();
    click(142, 206, kLButton | kControl);
    EXPECT_EQ(effect->getParameter(kAttack), 0.31f);
    EXPECT_EQ(gestureSummary(), (Strings{"begin 6", "automate 6", "end 6"}));
}

TEST_F(Routing, ButtonsTogglesAndInterlocksEcho)
{
    open();
    click(567, 239); // Bypass on
    EXPECT_EQ(effect->getParameter(kBypass), 1.0f);
    EXPECT_EQ(gestureSummary(), (Strings{"begin 16", "automate 16", "end 16"}));
    for (VstInt32 p : {kThreshold, kScFilterFreq, kDetection, kHfHarmonicsAmount, kReleaseSlow})
        EXPECT_EQ(textColour(*this, p), kDimmed) << p;
    EXPECT_FALSE(dynamic_cast<CCompMeter*>(control(30))->isActive());

    hostCalls().clear();
    click(514, 255); // Delta on: the effect turns Bypass off, and the button follows
    EXPECT_EQ(gestureSummary(), (Strings{"begin 15", "automate 15", "end 15"}));
    EXPECT_EQ(control(29)->getValue(), 1.0f);
    EXPECT_EQ(control(28)->getValue(), 0.0f);
    EXPECT_TRUE(dynamic_cast<CCompMeter*>(control(30))->isActive());
    EXPECT_EQ(textColour(*this, kMakeUpGain), kDimmed);
    EXPECT_EQ(textColour(*this, kDryMix), kDimmed);
    EXPECT_EQ(textColour(*this, kThreshold), kNormal);

    click(514, 225); // SC Preview on turns Delta off
    EXPECT_EQ(control(25)->getValue(), 1.0f);
    EXPECT_EQ(control(29)->getValue(), 0.0f);
    EXPECT_EQ(textColour(*this, kThreshold), kDimmed);
    EXPECT_EQ(textColour(*this, kScFilterFreq), kDimmed); // the filter itself is off
}

TEST_F(Routing, TextColoursFollowTheState)
{
    open();
    // Program 0: filter off, harmonics off, slow release above the fast one.
    EXPECT_EQ(textColour(*this, kScFilterFreq), kDimmed);
    EXPECT_EQ(textColour(*this, kHfHarmonicsAmount), kDimmed);
    EXPECT_EQ(textColour(*this, kLfHarmonicsAmount), kDimmed);
    EXPECT_EQ(textColour(*this, kReleaseSlow), kNormal);
    EXPECT_EQ(textColour(*this, kDetection), kNormal);

    effect->setParameter(kScFilterType, 0.5f);
    effect->setParameter(kLfHarmonics, 1.0f);
    effect->setParameter(kReleaseSlow, 0.3f);
    EXPECT_EQ(textColour(*this, kScFilterFreq), kNormal);
    EXPECT_EQ(textColour(*this, kLfHarmonicsAmount), kNormal);
    EXPECT_EQ(textColour(*this, kHfHarmonicsAmount), kDimmed);
    EXPECT_EQ(textColour(*this, kReleaseSlow), kDimmed);

    effect->setParameter(kScPreview, 1.0f); // everything but the filter frequency
    EXPECT_EQ(textColour(*this, kScFilterFreq), kNormal);
    EXPECT_EQ(textColour(*this, kLfHarmonicsAmount), kDimmed);
    EXPECT_EQ(textColour(*this, kAttack), kDimmed);
}

TEST_F(Routing, SwitchAndScaleClicks)
{
    open();
    click(40, 160); // bottom third of the filter selector
    EXPECT_EQ(effect->getParameter(kScFilterType), 1.0f);
    EXPECT_EQ(gestureSummary(), (Strings{"begin 1", "automate 1", "end 1"}));

    hostCalls().clear();
    click(560, 120);           // on the gain-reduction meter: the scale's area
    click(584, 120);           // 40 pixels right of the scale
    click(530, 120, kRButton); // a right click steps back
    click(515, 120);           // over the level meter's inner part
    EXPECT_EQ(effect->getParameter(kMeterScale), 0.5f);
    EXPECT_EQ(control(32)->getValue(), 0.5f);
    EXPECT_EQ(gestureSummary(),
              (Strings{"begin 18", "automate 18", "end 18", "begin 18", "automate 18", "end 18",
                       "begin 18", "automate 18", "end 18", "begin 18", "automate 18", "end 18"}));
    hostCalls().clear();
    click(510, 120); // the level meter's outer edge lies outside the scale's area
    click(560, 120, kMButton);
    EXPECT_TRUE(hostCalls().empty());
    EXPECT_EQ(effect->getParameter(kMeterScale), 0.5f);
}

TEST_F(Routing, TextKnobDragAndKeys)
{
    open();
    drag(CPoint(45, 58), CPoint(45, 108)); // 50 of 500 pixels down from "Dyn RMS"
    EXPECT_NEAR(effect->getParameter(kDetection), 0.9f, 1e-6f);
    EXPECT_EQ(gestureSummary(), (Strings{"begin 0", "automate 0", "end 0"}));

    hostCalls().clear();
    VstKeyCode down{0, kVKeyDown, 0};
    EXPECT_TRUE(editor->onKeyDown(down)); // the knob keeps the focus after its gesture
    EXPECT_NEAR(effect->getParameter(kDetection), 0.8f, 1e-6f);
    VstKeyCode shiftUp{0, kVKeyUp, kKeyModShift};
    EXPECT_TRUE(editor->onKeyDown(shiftUp));
    EXPECT_NEAR(effect->getParameter(kDetection), 0.81f, 1e-6f);
    VstKeyCode letter{'a', 0, 0};
    EXPECT_FALSE(editor->onKeyDown(letter));
    EXPECT_EQ(gestureSummary(),
              (Strings{"begin 0", "automate 0", "end 0", "begin 0", "automate 0", "end 0"}));
}

TEST_F(Routing, ChangesFromViewsWithoutParametersAreIgnored)
{
    open();
    editor->valueChanged(control(30)); // tag 502
    editor->valueChanged(control(2));  // tag 777
    editor->valueChanged(control(34)); // tag 504
    EXPECT_TRUE(hostCalls().empty());
    effect->setParameter(19, 0.7f); // no view; nothing breaks
    EXPECT_EQ(frame()->getNbViews(), 35);
}

TEST_F(Routing, KnobModeIsTheProcessWideSetting)
{
    EXPECT_TRUE(editor->setKnobMode(kCircularMode));
    EXPECT_EQ(getGlobalKnobMode(), kCircularMode);
    EXPECT_TRUE(editor->setKnobMode(kLinearMode));
    EXPECT_EQ(getGlobalKnobMode(), kLinearMode);
    EXPECT_FALSE(editor->onWheel(1.0f));
}

TEST_F(Routing, ClosedEditorIgnoresEverything)
{
    effect->setParameter(kThreshold, 0.5f);
    editor->idle();
    VstKeyCode key{0, kVKeyUp, 0};
    EXPECT_FALSE(editor->onKeyDown(key));
    EXPECT_TRUE(hostCalls().empty());
}

} // namespace
