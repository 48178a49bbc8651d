// The window's views, in creation order: later views lie on top of earlier ones. Every
// rectangle comes from EditorLayout.h, around which the background image is painted.

#include "VstTemplateGUI.h"

#include "CCompMeter.h"
#include "CFontDesc.h"
#include "CFrame.h"
#include "CScala.h"
#include "CTextKnob.h"
#include "CTextSplash.h"
#include "CTransferFunction.h"
#include "EditorLayout.h"
#include "EditorValueText.h"
#include "ImageIds.h"
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

constexpr int32_t kFirstImage = image::kFirst;
constexpr int32_t kLastImage = image::kLast;

// Tags of views that carry no parameter.
constexpr int32_t kMeterTag = 502;
constexpr int32_t kFastLampTag = 504;
constexpr int32_t kSlowLampTag = 505;
constexpr int32_t kSplashTag = 777;

constexpr int32_t kDisplayStyle = 1;
constexpr int32_t kVersionStyle = 2;

CRect toRect(const Box& box)
{
    return CRect(box.l, box.t, box.r, box.b);
}
} // namespace

// Each image is loaded when a view first asks for it, so the painted images no view shows are
// never decoded.
struct VstTemplateGUI::Bitmaps
{
    mutable CBitmap* images[kLastImage - kFirstImage + 1] = {};
    CBitmap* operator[](int32_t id) const
    {
        CBitmap*& image = images[id - kFirstImage];
        if (!image) image = new CBitmap(id);
        return image;
    }
};

bool VstTemplateGUI::open(void* parentWindow)
{
    if (frame) close(); // a host that opens twice gets one fresh window
    adoptCallingThread();
    // The views are built from the effect's current values: nothing pending is still news.
    pendingEchoes.store(0, std::memory_order_relaxed);
    AEffGUIEditor::open(parentWindow);

    Bitmaps bitmaps;
    frame = new CFrame(CRect(0, 0, rect.right, rect.bottom), parentWindow, this);
    frame->setBackground(bitmaps[image::kBackground]);
    createViews(bitmaps);
    pushTransferSettings();

    // The views hold their own references now.
    for (CBitmap* bitmap : bitmaps.images)
        if (bitmap) bitmap->forget();

    refreshTextColours();
    transferFunction->setDirty();
    return true;
}

void VstTemplateGUI::createViews(const Bitmaps& bitmaps)
{
    const CRect versionRect = toRect(layout::kVersion);
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

    splash = new CTextSplash(versionRect, this, kSplashTag, bitmaps[image::kAboutPanel],
                             toRect(layout::kSplashArea), CPoint(0, 0));
    frame->addView(splash);

    createKnobsAndDisplays(bitmaps);
    createTextKnobs(bitmaps);
    createSwitches(bitmaps);
    createDisplays();

    fastReleaseLamp = new CMovieBitmap(toRect(layout::kFastLamp), this, kFastLampTag,
                                       bitmaps[image::kFastLamp], CPoint(0, 0));
    fastReleaseLamp->setValue(0.0f);
    frame->addView(fastReleaseLamp);
    slowReleaseLamp = new CMovieBitmap(toRect(layout::kSlowLamp), this, kSlowLampTag,
                                       bitmaps[image::kSlowLamp], CPoint(0, 0));
    slowReleaseLamp->setValue(0.0f);
    frame->addView(slowReleaseLamp);
}

void VstTemplateGUI::createKnobsAndDisplays(const Bitmaps& bitmaps)
{
    struct KnobPlace
    {
        CAnimKnob* VstTemplateGUI::*field;
        VstInt32 tag;
        const layout::KnobPlace& where;
        float defaultValue;
    };
    static const KnobPlace knobs[] = {
        {&VstTemplateGUI::thresholdKnob, kThreshold, layout::kThreshold, 0.0f},
        {&VstTemplateGUI::ratioKnob, kRatio, layout::kRatio, 0.4f},
        {&VstTemplateGUI::kneeKnob, kKnee, layout::kKnee, 0.0f},
        {&VstTemplateGUI::makeUpKnob, kMakeUpGain, layout::kMakeUp, 0.5f},
        {&VstTemplateGUI::dryMixKnob, kDryMix, layout::kDryMix, 0.0f},
        {&VstTemplateGUI::attackKnob, kAttack, layout::kAttack, 0.31f},
        {&VstTemplateGUI::releaseKnob, kRelease, layout::kRelease, 0.425f},
        {&VstTemplateGUI::releaseSlowKnob, kReleaseSlow, layout::kReleaseSlow, 0.5f},
        {&VstTemplateGUI::scFilterFreqKnob, kScFilterFreq, layout::kScFilterFreq, 0.475f},
    };
    for (const KnobPlace& place : knobs)
    {
        CAnimKnob* knob = new CAnimKnob(toRect(place.where.knob), this, place.tag,
                                        bitmaps[image::kKnobStrip], CPoint(0, 0));
        knob->setDefaultValue(place.defaultValue);
        knob->setTransparency(true);
        knob->setValue(parameter(place.tag));
        frame->addView(knob);
        this->*place.field = knob;
    }

    addTextKnob(detectionKnob, toRect(layout::kDetection), kDetection, bitmaps, 1.0f);

    struct DisplayPlace
    {
        CParamDisplay* VstTemplateGUI::*field;
        VstInt32 shows;
        const layout::KnobPlace& where;
    };
    static const DisplayPlace displays[] = {
        {&VstTemplateGUI::thresholdDisplay, kThreshold, layout::kThreshold},
        {&VstTemplateGUI::ratioDisplay, kRatio, layout::kRatio},
        {&VstTemplateGUI::kneeDisplay, kKnee, layout::kKnee},
        {&VstTemplateGUI::makeUpDisplay, kMakeUpGain, layout::kMakeUp},
        {&VstTemplateGUI::dryMixDisplay, kDryMix, layout::kDryMix},
        {&VstTemplateGUI::attackDisplay, kAttack, layout::kAttack},
        {&VstTemplateGUI::releaseDisplay, kRelease, layout::kRelease},
        {&VstTemplateGUI::scFilterFreqDisplay, kScFilterFreq, layout::kScFilterFreq},
        {&VstTemplateGUI::releaseSlowDisplay, kReleaseSlow, layout::kReleaseSlow},
    };
    for (const DisplayPlace& place : displays)
    {
        // Value displays only show; they have no listener and report nothing.
        CParamDisplay* display =
            new CParamDisplay(toRect(place.where.display), nullptr, kDisplayStyle);
        display->setBackground(bitmaps[image::kValueField]);
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
    CTextKnob* knob =
        new CTextKnob(where, this, bitmaps[image::kTextKnobField], tag, kDisplayStyle);
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
    addTextKnob(lfAmountKnob, toRect(layout::kLfAmount), kLfHarmonicsAmount, bitmaps, 0.5f);
    addTextKnob(hfAmountKnob, toRect(layout::kHfAmount), kHfHarmonicsAmount, bitmaps, 0.5f);
}

void VstTemplateGUI::createSwitches(const Bitmaps& bitmaps)
{
    scFilterTypeSwitch =
        new CVerticalSwitch(toRect(layout::kScFilterType), this, kScFilterType, 3, 71, 3,
                            bitmaps[image::kScFilterSelector], CPoint(0, 0));
    scFilterTypeSwitch->setTransparency(true);
    scFilterTypeSwitch->setDefaultValue(0.0f);
    scFilterTypeSwitch->setValue(parameter(kScFilterType));
    frame->addView(scFilterTypeSwitch);

    struct ButtonPlace
    {
        COnOffButton* VstTemplateGUI::*field;
        VstInt32 tag;
        Box where;
        int32_t image;
        float defaultValue;
    };
    static const ButtonPlace buttons[] = {
        {&VstTemplateGUI::scPreviewButton, kScPreview, layout::kScPreview, image::kScPreview, 0.0f},
        {&VstTemplateGUI::lfHarmonicsButton, kLfHarmonics, layout::kLfHarmonics, image::kLoColor,
         0.0f},
        {&VstTemplateGUI::hfHarmonicsButton, kHfHarmonics, layout::kHfHarmonics, image::kHiColor,
         0.0f},
        {&VstTemplateGUI::bypassButton, kBypass, layout::kBypass, image::kBypass, 1.0f},
        {&VstTemplateGUI::deltaButton, kDelta, layout::kDelta, image::kDelta, 0.0f},
    };
    for (const ButtonPlace& place : buttons)
    {
        COnOffButton* button = new COnOffButton(toRect(place.where), this, place.tag,
                                                bitmaps[place.image], kPreListenerUpdate);
        button->setTransparency(true);
        button->setDefaultValue(place.defaultValue);
        button->setValue(parameter(place.tag));
        frame->addView(button);
        this->*place.field = button;
    }
}

void VstTemplateGUI::createDisplays()
{
    compMeter = new CCompMeter(toRect(layout::kCompMeter), this, kMeterTag);
    compMeter->setValue(0.0f);
    frame->addView(compMeter);

    levelMeter = new LevelMeter(toRect(layout::kLevelMeter), this, kMeterTag);
    levelMeter->setValue(-70.0f);
    frame->addView(levelMeter);

    // Added after both meters so that clicks on them reach the scale first.
    scala = new CScala(toRect(layout::kScale), this, kMeterScale);
    scala->setValue(parameter(kMeterScale));
    frame->addView(scala);

    transferFunction = new CTransferFunction(toRect(layout::kTransfer), this, kMeterScale);
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
