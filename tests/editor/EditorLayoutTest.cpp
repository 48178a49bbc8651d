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

#include <cstring>

namespace
{

struct Placement
{
    const char* type;
    int32_t tag;
    CRect rect;
};

// The window from back to front.
const Placement kLayout[35] = {
    {"CParamDisplay", 0, {574, 3, 724, 18}},        {"CTextSplash", 777, {574, 3, 724, 18}},
    {"CAnimKnob", 3, {107, 48, 177, 118}},          {"CAnimKnob", 5, {261, 48, 331, 118}},
    {"CAnimKnob", 4, {184, 48, 254, 118}},          {"CAnimKnob", 10, {607, 48, 677, 118}},
    {"CAnimKnob", 9, {607, 171, 677, 241}},         {"CAnimKnob", 6, {107, 171, 177, 241}},
    {"CAnimKnob", 7, {184, 171, 254, 241}},         {"CAnimKnob", 8, {261, 171, 331, 241}},
    {"CAnimKnob", 2, {11, 171, 81, 241}},           {"CTextKnob", 0, {20, 45, 71, 71}},
    {"CParamDisplay", 0, {118, 118, 169, 136}},     {"CParamDisplay", 0, {271, 118, 322, 136}},
    {"CParamDisplay", 0, {194, 118, 245, 136}},     {"CParamDisplay", 0, {617, 118, 668, 136}},
    {"CParamDisplay", 0, {617, 241, 668, 259}},     {"CParamDisplay", 0, {118, 241, 169, 259}},
    {"CParamDisplay", 0, {194, 241, 245, 259}},     {"CParamDisplay", 0, {21, 241, 72, 259}},
    {"CParamDisplay", 0, {271, 241, 322, 259}},     {"CTextKnob", 14, {358, 235, 409, 261}},
    {"CTextKnob", 13, {410, 235, 461, 261}},        {"CVerticalSwitch", 1, {19, 100, 74, 171}},
    {"COnOffButton", 17, {487, 214, 542, 239}},     {"COnOffButton", 12, {358, 214, 413, 239}},
    {"COnOffButton", 11, {410, 214, 465, 239}},     {"COnOffButton", 16, {540, 214, 595, 264}},
    {"COnOffButton", 15, {487, 237, 542, 262}},     {"CCompMeter", 502, {544, 57, 574, 187}},
    {"LevelMeter", 502, {509, 57, 519, 187}},       {"CScala", 18, {521, 52, 544, 187}},
    {"CTransferFunction", 18, {374, 57, 504, 187}}, {"CMovieBitmap", 504, {246, 154, 258, 166}},
    {"CMovieBitmap", 505, {256, 154, 268, 166}},
};

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

TEST_F(EditorLayout, OpenBuildsTheThirtyFiveViewsInOrder)
{
    CFrame* f = open();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->getViewSize(), CRect(0, 0, 690, 270));
    ASSERT_EQ(f->getNbViews(), 35);
    for (int i = 0; i < 35; ++i)
    {
        CControl* c = control(i + 1);
        ASSERT_NE(c, nullptr) << i + 1;
        EXPECT_TRUE(c->isTypeOf(kLayout[i].type)) << i + 1 << " " << kLayout[i].type;
        EXPECT_EQ(c->getTag(), kLayout[i].tag) << i + 1;
        EXPECT_EQ(c->getViewSize(), kLayout[i].rect) << i + 1;
        const bool showsOnly = kLayout[i].type == std::string("CParamDisplay");
        EXPECT_EQ(c->getListener() != nullptr, !showsOnly) << i + 1;
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
