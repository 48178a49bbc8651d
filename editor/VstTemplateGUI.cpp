#include "VstTemplateGUI.h"

#include "CCompMeter.h"
#include "CFrame.h"
#include "CScala.h"
#include "CTextKnob.h"
#include "CTextSplash.h"
#include "CTransferFunction.h"
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
#include "platform/TickClock.h"

#include <utility>

namespace
{
constexpr CColor kValueTextColour = {250, 250, 250, 255};
constexpr CColor kDimmedTextColour = {100, 100, 100, 255};

// A knob and the value display beside it show the same value.
void showPair(CControl* knob, CControl* display, float value)
{
    knob->setValue(value);
    display->setValue(value);
}

// Parameters whose change can dim or restore value texts elsewhere.
bool affectsTextColours(VstInt32 index)
{
    switch (index)
    {
    case kScFilterType:
    case kRelease:
    case kReleaseSlow:
    case kHfHarmonics:
    case kLfHarmonics:
    case kDelta:
    case kBypass:
    case kScPreview:
        return true;
    default:
        return false;
    }
}
} // namespace

VstTemplateGUI::VstTemplateGUI(std::unique_ptr<EditorAccess> ownAccess)
    : AEffGUIEditor(std::move(ownAccess)), refreshGate(getTickCount())
{
    sizeFromBackground();
}

VstTemplateGUI::VstTemplateGUI(EditorAccess& editorAccess)
    : AEffGUIEditor(editorAccess), refreshGate(getTickCount())
{
    sizeFromBackground();
}

// From the image's header alone, read once for the process: an instance whose editor never
// opens decodes no image, and the size still follows the artwork.
void VstTemplateGUI::sizeFromBackground()
{
    static const CPoint size = CBitmap::resourceSize(image::kBackground);
    const bool sized = size.h > 0 && size.v > 0;
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<VstInt16>(sized ? size.v : kDefaultHeight);
    rect.right = static_cast<VstInt16>(sized ? size.h : kDefaultWidth);
}

VstTemplateGUI::~VstTemplateGUI()
{
    if (frame) close(); // an editor the host never closed
}

float VstTemplateGUI::parameter(VstInt32 index) const
{
    return getAccess() ? getAccess()->parameter(index) : 0.0f;
}

float VstTemplateGUI::meterValue(MeterValueIndex which) const
{
    return getAccess() ? getAccess()->meterValue(which) : 0.0f;
}

void VstTemplateGUI::close()
{
    AEffGUIEditor::close();
    forgetViews();
}

void VstTemplateGUI::valueChanged(CControl* control)
{
    const int32_t tag = control->getTag();
    if (tag < 0 || tag > kMeterScale || !getAccess()) return;
    getAccess()->setParameterFromEditor(tag, control->getValue());
    control->setDirty();
}

void VstTemplateGUI::setParameter(VstInt32 index, float)
{
    if (index < 0 || index > kMeterScale) return;
    if (std::this_thread::get_id() != windowThread.load(std::memory_order_relaxed))
    {
        pendingEchoes.fetch_or(1u << index, std::memory_order_relaxed);
        return;
    }
    echoNow(index);
}

void VstTemplateGUI::echoNow(VstInt32 index)
{
    if (!frame) return;
    // The effect's own value counts, not the one passed along: interlocks may have changed it.
    echo(index, parameter(index));
    // The transfer display and the level meter beside it are redrawn for every parameter the
    // display takes.
    if (kParameterTable[index].displayInput)
    {
        transferFunction->setDirty();
        levelMeter->setDirty();
    }
}

// Whichever thread opens the window or runs its idle pass is the window's thread from then on:
// some hosts open on one thread and idle from another.
void VstTemplateGUI::adoptCallingThread()
{
    windowThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
}

void VstTemplateGUI::applyPendingEchoes()
{
    std::uint32_t pending = pendingEchoes.exchange(0, std::memory_order_relaxed);
    for (VstInt32 index = 0; pending != 0; ++index, pending >>= 1)
        if (pending & 1u) echoNow(index);
}

void VstTemplateGUI::echo(VstInt32 index, float v)
{
    switch (index)
    {
    case kDetection:
        detectionKnob->setValue(v);
        break;
    case kScFilterType:
        scFilterTypeSwitch->setValue(v);
        break;
    case kScFilterFreq:
        showPair(scFilterFreqKnob, scFilterFreqDisplay, v);
        break;
    case kThreshold:
        showPair(thresholdKnob, thresholdDisplay, v);
        transferFunction->setThreshold(displayInput(index, v));
        levelMeter->setThresholdMarker(v);
        ballistics.clearHold();
        break;
    case kKnee:
        showPair(kneeKnob, kneeDisplay, v);
        transferFunction->setKnee(displayInput(index, v));
        break;
    case kRatio:
        showPair(ratioKnob, ratioDisplay, v);
        transferFunction->setRatio(displayInput(index, v));
        ballistics.clearHold();
        break;
    case kAttack:
        showPair(attackKnob, attackDisplay, v);
        break;
    case kRelease:
        showPair(releaseKnob, releaseDisplay, v);
        break;
    case kReleaseSlow:
        showPair(releaseSlowKnob, releaseSlowDisplay, v);
        break;
    case kDryMix:
        showPair(dryMixKnob, dryMixDisplay, v);
        transferFunction->setAttenuationOfDry(displayInput(index, v));
        break;
    case kMakeUpGain:
        showPair(makeUpKnob, makeUpDisplay, v);
        transferFunction->setMakeUp(displayInput(index, v));
        break;
    case kHfHarmonics:
        hfHarmonicsButton->setValue(v);
        break;
    case kLfHarmonics:
        lfHarmonicsButton->setValue(v);
        break;
    case kHfHarmonicsAmount:
        hfAmountKnob->setValue(v);
        break;
    case kLfHarmonicsAmount:
        lfAmountKnob->setValue(v);
        break;
    case kDelta:
        deltaButton->setValue(v);
        break;
    case kBypass:
        bypassButton->setValue(v);
        compMeter->setActive(v != 1.0f);
        break;
    case kScPreview:
        scPreviewButton->setValue(v);
        break;
    case kMeterScale:
        scala->setValue(v);
        break;
    default:
        break;
    }
    if (affectsTextColours(index)) refreshTextColours();
}

void VstTemplateGUI::refreshTextColours()
{
    if (!frame) return;
    CParamDisplay* const displays[] = {scFilterFreqDisplay, thresholdDisplay, kneeDisplay,
                                       ratioDisplay,        attackDisplay,    releaseDisplay,
                                       releaseSlowDisplay,  dryMixDisplay,    makeUpDisplay};
    CTextKnob* const textKnobs[] = {detectionKnob, hfAmountKnob, lfAmountKnob};

    const bool bypass = parameter(kBypass) == 1.0f;
    const CColor all = bypass ? kDimmedTextColour : kValueTextColour;
    for (CParamDisplay* display : displays)
        display->setFontColor(all);
    for (CTextKnob* knob : textKnobs)
        knob->setFontColor(all);
    compMeter->setActive(parameter(kBypass) == 0.0f);

    if (parameter(kDelta) == 1.0f)
    {
        makeUpDisplay->setFontColor(kDimmedTextColour);
        dryMixDisplay->setFontColor(kDimmedTextColour);
    }
    if (parameter(kScPreview) == 1.0f)
    {
        for (CParamDisplay* display : displays)
            if (display != scFilterFreqDisplay) display->setFontColor(kDimmedTextColour);
        for (CTextKnob* knob : textKnobs)
            knob->setFontColor(kDimmedTextColour);
    }
    if (parameter(kScFilterType) == 0.0f) scFilterFreqDisplay->setFontColor(kDimmedTextColour);
    if (parameter(kLfHarmonics) == 0.0f) lfAmountKnob->setFontColor(kDimmedTextColour);
    if (parameter(kHfHarmonics) == 0.0f) hfAmountKnob->setFontColor(kDimmedTextColour);
    if (parameter(kReleaseSlow) < parameter(kRelease))
        releaseSlowDisplay->setFontColor(kDimmedTextColour);

    transferFunction->setDirty();
    levelMeter->setDirty();
}

void VstTemplateGUI::restartRefreshClock()
{
    refreshGate = RefreshGate(getTickCount());
}

void VstTemplateGUI::idle()
{
    adoptCallingThread();
    applyPendingEchoes();
    if (frame) refreshMeters();
    AEffGUIEditor::idle();
}

void VstTemplateGUI::refreshMeters()
{
    std::uint32_t dtMs = 0;
    if (!refreshGate.due(getTickCount(), dtMs)) return;

    MeterReadings readings;
    readings.gain = meterValue(kMeterGain);
    readings.slowLevel = meterValue(kMeterLevelSlow);
    readings.fastLevel = meterValue(kMeterLevelFast);
    const bool live = meterValue(kMeterActive) == 1.0f && parameter(kScPreview) != 1.0f;
    ballistics.update(dtMs, readings, live);

    // The meter's unit is ten pixels; the scale factor picks how many dB that is.
    const float halfFactor = CScala::meterFactor(scala->getValue()) / 2.0f;
    compMeter->setValue(ballistics.displayedReductionDb() * halfFactor);
    compMeter->setHold(double(ballistics.heldReductionDb() * halfFactor));
    levelMeter->setValue(ballistics.fastLevelDb());
    levelMeter->setSlowLevel(ballistics.slowLevelDb());
    updateLamps(dtMs);
}

void VstTemplateGUI::updateLamps(std::uint32_t dtMs)
{
    const bool slowBelowFast = parameter(kReleaseSlow) < parameter(kRelease);
    const LampChange change = ballistics.updateLamps(
        dtMs, slowBelowFast, meterValue(kMeterLevelFast), meterValue(kMeterLevelSlow));
    if (change == LampChange::keep) return;
    fastReleaseLamp->setValue(change == LampChange::fastOn ? 1.0f : 0.0f);
    slowReleaseLamp->setValue(change == LampChange::slowOn ? 1.0f : 0.0f);
}

// After close the frame has destroyed the views; nothing may reach them until the next open.
void VstTemplateGUI::forgetViews()
{
    versionDisplay = nullptr;
    thresholdKnob = kneeKnob = ratioKnob = attackKnob = releaseKnob = releaseSlowKnob = nullptr;
    scFilterFreqKnob = makeUpKnob = dryMixKnob = nullptr;
    thresholdDisplay = kneeDisplay = ratioDisplay = attackDisplay = releaseDisplay = nullptr;
    releaseSlowDisplay = scFilterFreqDisplay = makeUpDisplay = dryMixDisplay = nullptr;
    detectionKnob = hfAmountKnob = lfAmountKnob = nullptr;
    scFilterTypeSwitch = nullptr;
    hfHarmonicsButton = lfHarmonicsButton = bypassButton = deltaButton = scPreviewButton = nullptr;
    levelMeter = nullptr;
    compMeter = nullptr;
    scala = nullptr;
    transferFunction = nullptr;
    fastReleaseLamp = slowReleaseLamp = nullptr;
    splash = nullptr;
}
