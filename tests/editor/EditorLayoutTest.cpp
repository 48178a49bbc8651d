#include "EditorLayout.h"
#include "CCompMeter.h"
#include "CFontDesc.h"
#include "CScala.h"
#include "CTextKnob.h"
#include "CTextSplash.h"
#include "CTransferFunction.h"
#include "EditorTestSupport.h"
#include "LevelMeter.h"
#include "controls/CAnimKnob.h"
#include "controls/CMovieBitmap.h"
#include "controls/COnOffButton.h"
#include "controls/CParamDisplay.h"
#include "controls/CVerticalSwitch.h"
#include "drawing/CBitmap.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace
{

CRect toRect(const Box& b)
{
    return CRect(b.l, b.t, b.r, b.b);
}

bool inLayout(const CRect& r)
{
    for (const Box& b : layout::kViewRects)
        if (toRect(b) == r) return true;
    return false;
}

// The parameter each value display shows, in creation order (views 13 to 21).
const VstInt32 kDisplayShows[9] = {kThreshold, kRatio,   kKnee,         kMakeUpGain, kDryMix,
                                   kAttack,    kRelease, kScFilterFreq, kReleaseSlow};

using EditorLayout = EditorFixture;

TEST_F(EditorLayout, ReportsTheBackgroundSize)
{
    ERect* rect = nullptr;
    ASSERT_TRUE(editor->getRect(&rect));
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 270);
    EXPECT_EQ(rect->right, 690);
    EXPECT_FALSE(editor->isOpen());
    EXPECT_TRUE(effect->getAeffect()->flags & effFlagsHasEditor);
}

// The places themselves come from EditorLayout.h and the snapshot tests hold every pixel; here
// the rules the views follow, and a few places worked out from the panel.
TEST_F(EditorLayout, OpenBuildsTheThirtyFiveViewsInTheirPlaces)
{
    CFrame* f = open();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->getViewSize(), CRect(0, 0, 690, 270));
    ASSERT_EQ(f->getNbViews(), 35);

    // Back to front: the version line, its about trigger over it, then the Threshold knob.
    EXPECT_TRUE(control(1)->isTypeOf("CParamDisplay"));
    EXPECT_TRUE(control(2)->isTypeOf("CTextSplash"));
    EXPECT_EQ(control(2)->getTag(), 777);
    EXPECT_EQ(control(2)->getViewSize(), control(1)->getViewSize());
    EXPECT_TRUE(control(3)->isTypeOf("CAnimKnob"));
    EXPECT_EQ(control(3)->getTag(), kThreshold);
    EXPECT_EQ(control(3)->getViewSize(), CRect(107, 48, 177, 118));
    EXPECT_EQ(control(21)->getViewSize(), CRect(271, 241, 322, 259)); // under Release Slow

    bool edited[kNumParams] = {};
    for (int i = 1; i <= 35; ++i)
    {
        CControl* c = control(i);
        const CRect r = c->getViewSize();
        EXPECT_TRUE(inLayout(r)) << i;
        // Only the version line reaches past the window, cut by its right edge.
        const bool inWindow = r.left >= 0 && r.top >= 0 && r.right <= 690 && r.bottom <= 270;
        EXPECT_TRUE(inWindow || i <= 2) << i;
        // Value displays only show; every other view listens, and carries a parameter's index
        // or one of the tags the editor keeps for its meters, lamps and about panel.
        const bool showsOnly = c->isTypeOf("CParamDisplay");
        EXPECT_EQ(c->getListener() != nullptr, !showsOnly) << i;
        const int32_t tag = c->getTag();
        if (showsOnly) continue;
        if (tag >= 0 && tag < kNumParams)
            edited[tag] = true;
        else
            EXPECT_TRUE(tag == 502 || tag == 504 || tag == 505 || tag == 777) << i << " " << tag;
    }
    for (VstInt32 p = 0; p < kMeterScale + 1; ++p)
        EXPECT_TRUE(edited[p]) << "no control edits parameter " << p;
    for (const Box& b : layout::kViewRects)
    {
        int views = 0;
        for (int i = 1; i <= 35; ++i)
            views += control(i)->getViewSize() == toRect(b);
        EXPECT_GE(views, 1) << "nothing at " << b.l << "," << b.t;
    }

    // A knob's value display, 51 x 18, hangs from the knob's lower edge, centred to 2 pixels.
    for (const layout::KnobPlace& k : layout::kKnobs)
    {
        EXPECT_EQ(k.display.t, k.knob.b);
        EXPECT_EQ(k.display.width(), 51);
        EXPECT_EQ(k.display.height(), 18);
        EXPECT_LE(std::abs(k.display.centreX() - k.knob.centreX()), 2.0) << k.knob.l;
    }
}

TEST_F(EditorLayout, ViewsStartFromTheEffectsValues)
{
    open();
    // Program 0's values, read back from the effect.
    for (int i = 3; i <= 11; ++i)
        EXPECT_EQ(control(i)->getValue(), effect->getParameter(control(i)->getTag())) << i;
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(control(13 + i)->getValue(), effect->getParameter(kDisplayShows[i])) << 13 + i;
    EXPECT_EQ(control(12)->getValue(), 1.0f); // "Dyn RMS"
    EXPECT_EQ(control(31)->getValue(), -70.0f);
    EXPECT_EQ(control(30)->getValue(), 0.0f);
    auto* level = dynamic_cast<LevelMeter*>(control(31));
    EXPECT_EQ(level->getThresholdMarker(), -0.0f);
    auto* curve = dynamic_cast<CTransferFunction*>(control(33));
    EXPECT_DOUBLE_EQ(curve->getSettings().knee, double(0.16f) * 20.0);
    EXPECT_NEAR(curve->getSettings().slope, 0.5, 1e-8); // 0.4f is a hair above 0.4
    EXPECT_DOUBLE_EQ(curve->getSettings().makeUp, 0.0);
    EXPECT_DOUBLE_EQ(curve->getSettings().dryAttenuation, 60.0);
}

TEST_F(EditorLayout, DefaultsOffsetsAndFonts)
{
    open();
    const float knobDefaults[9] = {0.0f, 0.4f, 0.0f, 0.5f, 0.0f, 0.31f, 0.425f, 0.5f, 0.475f};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(control(3 + i)->getDefaultValue(), knobDefaults[i]) << 3 + i;
    EXPECT_EQ(control(12)->getDefaultValue(), 1.0f);
    EXPECT_EQ(control(22)->getDefaultValue(), 0.5f);
    EXPECT_EQ(control(23)->getDefaultValue(), 0.5f);
    EXPECT_EQ(control(28)->getDefaultValue(), 1.0f); // Bypass
    EXPECT_EQ(control(25)->getDefaultValue(), 0.0f);
    EXPECT_EQ(control(24)->getDefaultValue(), 0.0f);

    auto* detection = dynamic_cast<CTextKnob*>(control(12));
    EXPECT_EQ(detection->getBackOffset(), CPoint(-1, -4));
    EXPECT_EQ(detection->getFont()->getSize(), 10);
    EXPECT_STREQ(detection->getFont()->getName(), "Arial");
    auto* threshold = dynamic_cast<CParamDisplay*>(control(13));
    EXPECT_EQ(threshold->getBackOffset(), CPoint(0, -1));
    EXPECT_EQ(threshold->getFont()->getSize(), 10);
    EXPECT_TRUE(threshold->getTextTransparency());
    EXPECT_EQ(threshold->getBackground()->getResourceID(), 203);
    auto* version = dynamic_cast<CParamDisplay*>(control(1));
    EXPECT_EQ(version->getFont()->getSize(), 9);
    EXPECT_EQ(version->getFontColor(), (CColor{120, 120, 120, 255}));
    char text[CParamDisplay::kTextBufferSize];
    version->formatValue(text);
    EXPECT_STREQ(text, "version 1.0.0 [?]");
    threshold->formatValue(text);
    EXPECT_STREQ(text, "0 dB");
    for (int i = 3; i <= 11; ++i)
        EXPECT_TRUE(control(i)->getTransparency()) << i;
}

TEST_F(EditorLayout, ReopeningRebuildsAllViewsWithCurrentValues)
{
    open();
    effect->setParameter(kThreshold, 0.5f);
    editor->close();
    EXPECT_EQ(frame(), nullptr);
    EXPECT_FALSE(editor->isOpen());

    // Changes while the window is closed are simply picked up at the next open.
    effect->setParameter(kRatio, 0.85f);
    effect->setParameter(kMeterScale, 0.75f);
    editor->idle();

    CFrame* f = open();
    ASSERT_EQ(f->getNbViews(), 35);
    EXPECT_EQ(control(3)->getValue(), 0.5f);
    EXPECT_EQ(control(4)->getValue(), 0.85f);
    EXPECT_EQ(control(14)->getValue(), 0.85f);
    EXPECT_EQ(control(32)->getValue(), 0.75f);
    auto* curve = dynamic_cast<CTransferFunction*>(control(33));
    EXPECT_DOUBLE_EQ(curve->getSettings().threshold, -25.0);
    EXPECT_DOUBLE_EQ(curve->getSettings().slope, 0.25);

    // A second open without a close still leaves one window.
    open();
    EXPECT_EQ(frame()->getNbViews(), 35);
}

TEST_F(EditorLayout, ClosingTwiceAndDestroyingWhileOpenAreHarmless)
{
    open();
    editor->close();
    editor->close();
    open(); // the effect's destruction takes the open window along
}

} // namespace
