#include "ParameterTable.h"

#include "EditorValueText.h"
#include "FactoryPresets.h"
#include "ParameterMapping.h"
#include "ParameterText.h"

namespace
{
using Kind = ParameterKind;
using Input = EngineInput;
constexpr unsigned kPlain = kAutomatable;

double asIs(float v)
{
    return v;
}

// The engine takes a switch as 1 (on) or 0.
double exactSwitch(float v)
{
    return switchOn(v) ? 1.0 : 0.0;
}

double previewSwitch(float v)
{
    return sideChainPreviewOn(v) ? 1.0 : 0.0;
}

// A host chooses a position by the value in the middle of its range (the ends for the outer
// ones); the host texts name the positions.
constexpr ListEntry kFilterTypes[] = {{0.0f, "off"}, {0.5f, "3 dB/oct"}, {1.0f, "6 dB/oct"}};
constexpr ListEntry kMeterScales[] = {
    {0.0f, "6 dB"}, {0.375f, "12 dB"}, {0.625f, "24 dB"}, {1.0f, "48 dB"}};

template <std::size_t N> constexpr int countOf(const ListEntry (&)[N])
{
    return static_cast<int>(N);
}
} // namespace

// The editor's texts differ from the hosts' on purpose: they are the editor's own, sized for
// its fields (units, whole dB, seconds for long releases, Ratio's steps compared in double),
// while a host's text stays within eight characters and keeps its single-precision rules.
// The transfer display likewise draws its own static picture of the settings rather than the
// engine's feedback law, so where its input differs from the engine's, the row says why.
const ParameterInfo kParameterTable[kNumParams] = {
    {kDetection, "Detection", "Detect", "ms", Kind::Continuous, nullptr, 0, kPlain,
     Input::Detection, detectionTimeMs, hostText::detection, detectionText, nullptr},
    // The engine applies the positions' thresholds itself, to the normalised value.
    {kScFilterType, "SC Filter Type", "SC Type", "", Kind::List, kFilterTypes,
     countOf(kFilterTypes), kPlain, Input::SideChainType, asIs, hostText::filterType, nullptr,
     nullptr},
    {kScFilterFreq, "SC Filter Freq", "SC Freq", "Hz", Kind::Continuous, nullptr, 0, kPlain,
     Input::SideChainFrequency, [](float v) -> double { return sideChainFrequencyHz(v); },
     hostText::frequency, scFilterFreqText, nullptr},
    {kThreshold, "Threshold", "Thresh", "dB", Kind::Continuous, nullptr, 0, kPlain,
     Input::Threshold, thresholdDb, hostText::threshold, thresholdText, thresholdDb},
    {kKnee, "Knee", "Knee", "dB", Kind::Continuous, nullptr, 0, kPlain, Input::Knee, kneeDb,
     hostText::knee, kneeText, kneeDb},
    // The display takes the normalised value and its own steps (up to 3:1, then 4:1 and 8:1),
    // which name the ratio a user reads; the engine takes the slope of its feedback loop.
    {kRatio, "Ratio", "Ratio", "", Kind::Continuous, nullptr, 0, kPlain, Input::Ratio, ratioSlope,
     hostText::ratio, ratioText, asIs},
    {kAttack, "Attack", "Attack", "ms", Kind::Continuous, nullptr, 0, kPlain, Input::Attack,
     attackMs, hostText::attack, attackText, nullptr},
    {kRelease, "Release", "Release", "ms", Kind::Continuous, nullptr, 0, kPlain, Input::Release,
     releaseMs, hostText::release, releaseText, nullptr},
    {kReleaseSlow, "Release Slow", "Rel Slow", "ms", Kind::Continuous, nullptr, 0, kPlain,
     Input::ReleaseSlow, releaseMs, hostText::release, releaseText, nullptr},
    // Same dB as the engine's except at 0, where the display keeps a dry signal 60 dB down
    // and the engine mutes it: the display's own mapping, as said above.
    {kDryMix, "Dry Mix", "Dry Mix", "dB", Kind::Continuous, nullptr, 0, kPlain, Input::MixDry,
     dryGain, hostText::dryMix, dryMixText,
     [](float v) { return 60.0 - 60.0 * static_cast<double>(v); }},
    // The display's own make-up range ends at +12 dB (the engine's at +18 dB); below 0.5 both
    // agree.
    {kMakeUpGain, "Make Up Gain", "Make Up", "dB", Kind::Continuous, nullptr, 0, kPlain,
     Input::MakeUpGain, makeUpGain, hostText::makeUp, makeUpText,
     [](float v) { return transferMakeUpDb(v); }},
    {kHfHarmonics, "HF Harmonics", "HF Harm", "", Kind::Toggle, nullptr, 0, kPlain,
     Input::HfHarmonics, exactSwitch, hostText::onOff, nullptr, nullptr},
    {kLfHarmonics, "LF Harmonics", "LF Harm", "", Kind::Toggle, nullptr, 0, kPlain,
     Input::LfHarmonics, exactSwitch, hostText::onOff, nullptr, nullptr},
    {kHfHarmonicsAmount, "HF Harmonics Amount", "HF Amt", "%", Kind::Continuous, nullptr, 0, kPlain,
     Input::HfAmount, harmonicsAmount, hostText::amount, harmonicsAmountText, nullptr},
    {kLfHarmonicsAmount, "LF Harmonics Amount", "LF Amt", "%", Kind::Continuous, nullptr, 0, kPlain,
     Input::LfAmount, harmonicsAmount, hostText::amount, harmonicsAmountText, nullptr},
    {kDelta, "Delta", "Delta", "", Kind::Toggle, nullptr, 0, kPlain, Input::Delta, exactSwitch,
     hostText::onOff, nullptr, nullptr},
    {kBypass, "Bypass", "Bypass", "", Kind::Toggle, nullptr, 0, kPlain | kBypassSwitch, Input::None,
     nullptr, hostText::onOff, nullptr, nullptr},
    // On above 0.5 for the engine, but a switch to hosts: its text says "on" only at 1.0.
    {kScPreview, "SC Preview", "SC Prev", "", Kind::Toggle, nullptr, 0, kPlain,
     Input::SideChainPreview, previewSwitch, hostText::onOff, nullptr, nullptr},
    {kMeterScale, "Meter Scale", "M Scale", "", Kind::List, kMeterScales, countOf(kMeterScales),
     kPlain, Input::None, nullptr, hostText::meterScale, nullptr, nullptr},
    {kUnused19, "-", "-", "", Kind::Continuous, nullptr, 0, kPlain | kHidden, Input::None, nullptr,
     hostText::unused, nullptr, nullptr},
    {kUnused20, "-", "-", "", Kind::Continuous, nullptr, 0, kPlain | kHidden, Input::None, nullptr,
     hostText::unused, nullptr, nullptr},
};

float defaultValue(std::int32_t index)
{
    return isParameterIndex(index) ? kFactoryPresets[0].values[index] : 0.0f;
}

int stepCount(std::int32_t index)
{
    if (!isParameterIndex(index)) return 0;
    const ParameterInfo& row = kParameterTable[index];
    switch (row.kind)
    {
    case ParameterKind::Toggle:
        return 1;
    case ParameterKind::List:
        return row.entryCount - 1;
    default:
        return 0;
    }
}
