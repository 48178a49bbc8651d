// The window's views, in creation order: later views lie on top of earlier ones. Every
// rectangle sits on a caption or frame painted into the background image.

#include "VstTemplateGUI.h"

#include "AudioEffectX.h"
#include "CCompMeter.h"
#include "CFontDesc.h"
#include "CFrame.h"
#include "CScala.h"
#include "CTextKnob.h"
#include "CTextSplash.h"
#include "CTransferFunction.h"
#include "EditorValueText.h"
#include "LevelMeter.h"
#include "ParameterIds.h"
#include "ParameterTable.h"
#include "controls/CAnimKnob.h"
#include "controls/CMovieBitmap.h"
#include "controls/COnOffButton.h"
#include "controls/CParamDisplay.h"
#include "controls/CVerticalSwitch.h"
#include "drawing/CBitmap.h"

namespace
{
constexpr CColor kValueTextColour = {250, 250, 250, 255};
constexpr CColor kVersionTextColour = {120, 120, 120, 255};

constexpr int32_t kFirstImage = 202;
constexpr int32_t kLastImage = 216;

// Image ids.
constexpr int32_t kKnobStrip = 202;
constexpr int32_t kValueField = 203;
constexpr int32_t kTextKnobField = 204;
constexpr int32_t kBypassImage = 205;
constexpr int32_t kHiColorImage = 207;
constexpr int32_t kLoColorImage = 208;
constexpr int32_t kDeltaImage = 209;
constexpr int32_t kScPreviewImage = 210;
constexpr int32_t kScFilterSelector = 212;
constexpr int32_t kAboutPanel = 214;
constexpr int32_t kFastLampImage = 215;
constexpr int32_t kSlowLampImage = 216;

// Tags of views that carry no parameter.
constexpr int32_t kMeterTag = 502;
constexpr int32_t kFastLampTag = 504;
constexpr int32_t kSlowLampTag = 505;
constexpr int32_t kSplashTag = 777;

constexpr int32_t kDisplayStyle = 1;
constexpr int32_t kVersionStyle = 2;
} // namespace

struct VstTemplateGUI::Bitmaps
{
    CBitmap* images[kLastImage - kFirstImage + 1] = {};
    CBitmap* operator[](int32_t id) const { return images[id - kFirstImage]; }
};

bool VstTemplateGUI::open(void* parentWindow)
{
    if (frame) close(); // a host that opens twice gets one fresh window
    adoptCallingThread();
    // The views are built from the effect's current values: nothing pending is still news.
    pendingEchoes.store(0, std::memory_order_relaxed);
    AEffGUIEditor::open(parentWindow);

    Bitmaps bitmaps;
    for (int32_t id = kFirstImage; id <= kLastImage; ++id)
        bitmaps.images[id - kFirstImage] = new CBitmap(id);

    frame = new CFrame(CRect(0, 0, rect.right, rect.bottom), parentWindow, this);
    frame->setBackground(background);
    createViews(bitmaps);
    pushTransferSettings();

    // The views hold their own references now.
    for (CBitmap* bitmap : bitmaps.images)
        bitmap->forget();

    refreshTextColours();
    transferFunction->setDirty();
    return true;
}

void VstTemplateGUI::createViews(const Bitmaps& bitmaps)
{
    const int32_t w = rect.right;
    const CRect versionRect(w - 116, 3, w + 34, 18); // cut by the window's right edge
    versionDisplay = new CParamDisplay(versionRect, nullptr, kVersionStyle);
    versionDisplay->setFont(kNormalFontVerySmall);
    versionDisplay->setFontColor(kVersionTextColour);
    versionDisplay->setBackColor(kBlackCColor);
    versionDisplay->setFrameColor(kBlackCColor);
    versionDisplay->setHoriAlign(kCenterText);
    versionDisplay->setTextTransparency(true);
    versionDisplay->setStringConvert(versionText);
    versionDisplay->setValue(0.0f);
    frame->addView(versionDisplay);

    splash = new CTextSplash(versionRect, this, kSplashTag, bitmaps[kAboutPanel],
                             CRect(374, 44, 574, 194), CPoint(0, 0));
    frame->addView(splash);

    createKnobsAndDisplays(bitmaps);
    createTextKnobs(bitmaps);
    createSwitches(bitmaps);
    createDisplays();

    fastReleaseLamp = new CMovieBitmap(CRect(246, 154, 258, 166), this, kFastLampTag,
                                       bitmaps[kFastLampImage], CPoint(0, 0));
    fastReleaseLamp->setValue(0.0f);
    frame->addView(fastReleaseLamp);
    slowReleaseLamp = new CMovieBitmap(CRect(256, 154, 268, 166), this, kSlowLampTag,
                                       bitmaps[kSlowLampImage], CPoint(0, 0));
    slowReleaseLamp->setValue(0.0f);
    frame->addView(slowReleaseLamp);
}

void VstTemplateGUI::createKnobsAndDisplays(const Bitmaps& bitmaps)
{
    struct KnobPlace
    {
        CAnimKnob* VstTemplateGUI::*field;
        VstInt32 tag;
        CRect rect;
        float defaultValue;
    };
    static const KnobPlace knobs[] = {
        {&VstTemplateGUI::thresholdKnob, kThreshold, {107, 48, 177, 118}, 0.0f},
        {&VstTemplateGUI::ratioKnob, kRatio, {261, 48, 331, 118}, 0.4f},
        {&VstTemplateGUI::kneeKnob, kKnee, {184, 48, 254, 118}, 0.0f},
        {&VstTemplateGUI::makeUpKnob, kMakeUpGain, {607, 48, 677, 118}, 0.5f},
        {&VstTemplateGUI::dryMixKnob, kDryMix, {607, 171, 677, 241}, 0.0f},
        {&VstTemplateGUI::attackKnob, kAttack, {107, 171, 177, 241}, 0.31f},
        {&VstTemplateGUI::releaseKnob, kRelease, {184, 171, 254, 241}, 0.425f},
        {&VstTemplateGUI::releaseSlowKnob, kReleaseSlow, {261, 171, 331, 241}, 0.5f},
        {&VstTemplateGUI::scFilterFreqKnob, kScFilterFreq, {11, 171, 81, 241}, 0.475f},
    };
    for (const KnobPlace& place : knobs)
    {
        CAnimKnob* knob =
            new CAnimKnob(place.rect, this, place.tag, bitmaps[kKnobStrip], CPoint(0, 0));
        knob->setDefaultValue(place.defaultValue);
        knob->setTransparency(true);
        knob->setValue(parameter(place.tag));
        frame->addView(knob);
        this->*place.field = knob;
    }

    addTextKnob(detectionKnob, CRect(20, 45, 71, 71), kDetection, bitmaps, 1.0f);

    struct DisplayPlace
    {
        CParamDisplay* VstTemplateGUI::*field;
        VstInt32 shows;
        CRect rect;
    };
    static const DisplayPlace displays[] = {
        {&VstTemplateGUI::thresholdDisplay, kThreshold, {118, 118, 169, 136}},
        {&VstTemplateGUI::ratioDisplay, kRatio, {271, 118, 322, 136}},
        {&VstTemplateGUI::kneeDisplay, kKnee, {194, 118, 245, 136}},
        {&VstTemplateGUI::makeUpDisplay, kMakeUpGain, {617, 118, 668, 136}},
        {&VstTemplateGUI::dryMixDisplay, kDryMix, {617, 241, 668, 259}},
        {&VstTemplateGUI::attackDisplay, kAttack, {118, 241, 169, 259}},
        {&VstTemplateGUI::releaseDisplay, kRelease, {194, 241, 245, 259}},
        {&VstTemplateGUI::scFilterFreqDisplay, kScFilterFreq, {21, 241, 72, 259}},
        {&VstTemplateGUI::releaseSlowDisplay, kReleaseSlow, {271, 241, 322, 259}},
    };
    for (const DisplayPlace& place : displays)
    {
        // Value displays only show; they have no listener and report nothing.
        CParamDisplay* display = new CParamDisplay(place.rect, nullptr, kDisplayStyle);
        display->setBackground(bitmaps[kValueField]);
        display->setFont(kNormalFontSmaller);
        display->setBackOffset(CPoint(0, -1));
        display->setFontColor(kValueTextColour);
        display->setHoriAlign(kCenterText);
        display->setTextTransparency(true);
        display->setStringConvert(kParameterTable[place.shows].editorText);
        display->setValue(parameter(place.shows));
        frame->addView(display);
        this->*place.field = display;
    }
}

void VstTemplateGUI::addTextKnob(CTextKnob*& field, const CRect& where, VstInt32 tag,
                                 const Bitmaps& bitmaps, float defaultValue)
{
    CTextKnob* knob = new CTextKnob(where, this, bitmaps[kTextKnobField], tag, kDisplayStyle);
    knob->setBackOffset(CPoint(-1, -4));
    knob->setFont(kNormalFontSmaller);
    knob->setFontColor(kValueTextColour);
    knob->setHoriAlign(kCenterText);
    knob->setTextTransparency(true);
    knob->setStringConvert(kParameterTable[tag].editorText);
    knob->setDefaultValue(defaultValue);
    knob->setValue(parameter(tag));
    frame->addView(knob);
    field = knob;
}

void VstTemplateGUI::createTextKnobs(const Bitmaps& bitmaps)
{
    addTextKnob(lfAmountKnob, CRect(358, 235, 409, 261), kLfHarmonicsAmount, bitmaps, 0.5f);
    addTextKnob(hfAmountKnob, CRect(410, 235, 461, 261), kHfHarmonicsAmount, bitmaps, 0.5f);
}

void VstTemplateGUI::createSwitches(const Bitmaps& bitmaps)
{
    scFilterTypeSwitch = new CVerticalSwitch(CRect(19, 100, 74, 171), this, kScFilterType, 3, 71, 3,
                                             bitmaps[kScFilterSelector], CPoint(0, 0));
    scFilterTypeSwitch->setTransparency(true);
    scFilterTypeSwitch->setDefaultValue(0.0f);
    scFilterTypeSwitch->setValue(parameter(kScFilterType));
    frame->addView(scFilterTypeSwitch);

    struct ButtonPlace
    {
        COnOffButton* VstTemplateGUI::*field;
        VstInt32 tag;
        CRect rect;
        int32_t image;
        float defaultValue;
    };
    static const ButtonPlace buttons[] = {
        {&VstTemplateGUI::scPreviewButton, kScPreview, {487, 214, 542, 239}, kScPreviewImage, 0.0f},
        {&VstTemplateGUI::lfHarmonicsButton,
         kLfHarmonics,
         {358, 214, 413, 239},
         kLoColorImage,
         0.0f},
        {&VstTemplateGUI::hfHarmonicsButton,
         kHfHarmonics,
         {410, 214, 465, 239},
         kHiColorImage,
         0.0f},
        {&VstTemplateGUI::bypassButton, kBypass, {540, 214, 595, 264}, kBypassImage, 1.0f},
        {&VstTemplateGUI::deltaButton, kDelta, {487, 237, 542, 262}, kDeltaImage, 0.0f},
    };
    for (const ButtonPlace& place : buttons)
    {
        COnOffButton* button =
            new COnOffButton(place.rect, this, place.tag, bitmaps[place.image], kPreListenerUpdate);
        button->setTransparency(true);
        button->setDefaultValue(place.defaultValue);
        button->setValue(parameter(place.tag));
        frame->addView(button);
        this->*place.field = button;
    }
}

void VstTemplateGUI::createDisplays()
{
    compMeter = new CCompMeter(CRect(544, 57, 574, 187), this, kMeterTag);
    compMeter->setValue(0.0f);
    frame->addView(compMeter);

    levelMeter = new LevelMeter(CRect(509, 57, 519, 187), this, kMeterTag);
    levelMeter->setValue(-70.0f);
    frame->addView(levelMeter);

    // Added after both meters so that clicks on them reach the scale first.
    scala = new CScala(CRect(521, 52, 544, 187), this, kMeterScale);
    scala->setValue(parameter(kMeterScale));
    frame->addView(scala);

    transferFunction = new CTransferFunction(CRect(374, 57, 504, 187), this, kMeterScale);
    transferFunction->setValue(parameter(kMeterScale));
    frame->addView(transferFunction);
}

void VstTemplateGUI::pushTransferSettings()
{
    transferFunction->setThreshold(displayInput(kThreshold, parameter(kThreshold)));
    transferFunction->setKnee(displayInput(kKnee, parameter(kKnee)));
    transferFunction->setAttenuationOfDry(displayInput(kDryMix, parameter(kDryMix)));
    transferFunction->setMakeUp(displayInput(kMakeUpGain, parameter(kMakeUpGain)));
    transferFunction->setRatio(displayInput(kRatio, parameter(kRatio)));
    levelMeter->setThresholdMarker(parameter(kThreshold));
}
