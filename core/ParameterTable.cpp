#include "ParameterTable.h"

#include "CompressorEngine.h"
#include "EditorValueText.h"
#include "ParameterMapping.h"
#include "ParameterText.h"

namespace
{
using Engine = CompressorEngine;

double asIs(float v)
{
    return v;
}
} // namespace

// The editor's texts differ from the hosts' on purpose: they are the editor's own, sized for
// its fields (units, whole dB, seconds for long releases, Ratio's steps compared in double),
// while a host's text stays within eight characters and keeps its single-precision rules.
// The transfer display likewise draws its own static picture of the settings rather than the
// engine's feedback law, so where its input differs from the engine's, the row says why.
const ParameterInfo kParameterTable[kNumParams] = {
    {kDetection, "Detection", "", [](Engine& e, float v) { e.setDetection(detectionTimeMs(v)); },
     hostText::detection, detectionText, nullptr},
    {kScFilterType, "SC Filter Type", "", [](Engine& e, float v) { e.setSideChainType(v); },
     hostText::filterType, nullptr, nullptr},
    {kScFilterFreq, "SC Filter Freq", "",
     [](Engine& e, float v) { e.setSideChainFrequency(sideChainFrequencyHz(v)); },
     hostText::frequency, scFilterFreqText, nullptr},
    {kThreshold, "Threshold", "", [](Engine& e, float v) { e.setThreshold(thresholdDb(v)); },
     hostText::threshold, thresholdText, [](float v) { return thresholdDb(v); }},
    {kKnee, "Knee", "", [](Engine& e, float v) { e.setKnee(kneeDb(v)); }, hostText::knee, kneeText,
     [](float v) { return kneeDb(v); }},
    // The display takes the normalised value and its own steps (up to 3:1, then 4:1 and 8:1),
    // which name the ratio a user reads; the engine takes the slope of its feedback loop.
    {kRatio, "Ratio", "", [](Engine& e, float v) { e.setRatio(ratioSlope(v)); }, hostText::ratio,
     ratioText, asIs},
    {kAttack, "Attack", "", [](Engine& e, float v) { e.setAttack(attackMs(v)); }, hostText::attack,
     attackText, nullptr},
    {kRelease, "Release", "", [](Engine& e, float v) { e.setRelease(releaseMs(v)); },
     hostText::release, releaseText, nullptr},
    {kReleaseSlow, "Release Slow", "", [](Engine& e, float v) { e.setReleaseSlow(releaseMs(v)); },
     hostText::release, releaseText, nullptr},
    // Same dB as the engine's except at 0, where the display keeps a dry signal 60 dB down
    // and the engine mutes it: the display's own mapping, as said above.
    {kDryMix, "Dry Mix", "", [](Engine& e, float v) { e.setMixDry(dryGain(v)); }, hostText::dryMix,
     dryMixText, [](float v) { return 60.0 - 60.0 * static_cast<double>(v); }},
    // The display's own make-up range ends at +12 dB (the engine's at +18 dB); below 0.5 both
    // agree.
    {kMakeUpGain, "Make Up Gain", "", [](Engine& e, float v) { e.setMakeUpGain(makeUpGain(v)); },
     hostText::makeUp, makeUpText, [](float v) { return transferMakeUpDb(v); }},
    {kHfHarmonics, "HF Harmonics", "", [](Engine& e, float v) { e.setHfHarmonics(switchOn(v)); },
     hostText::onOff, nullptr, nullptr},
    {kLfHarmonics, "LF Harmonics", "", [](Engine& e, float v) { e.setLfHarmonics(switchOn(v)); },
     hostText::onOff, nullptr, nullptr},
    {kHfHarmonicsAmount, "HF Harmonics Amount", "",
     [](Engine& e, float v) { e.setHfAmount(harmonicsAmount(v)); }, hostText::amount,
     harmonicsAmountText, nullptr},
    {kLfHarmonicsAmount, "LF Harmonics Amount", "",
     [](Engine& e, float v) { e.setLfAmount(harmonicsAmount(v)); }, hostText::amount,
     harmonicsAmountText, nullptr},
    {kDelta, "Delta", "", [](Engine& e, float v) { e.setDelta(switchOn(v)); }, hostText::onOff,
     nullptr, nullptr},
    {kBypass, "Bypass", "", nullptr, hostText::onOff, nullptr, nullptr},
    {kScPreview, "SC Preview", "",
     [](Engine& e, float v) { e.setSideChainPreview(sideChainPreviewOn(v)); }, hostText::onOff,
     nullptr, nullptr},
    {kMeterScale, "Meter Scale", "", nullptr, hostText::meterScale, nullptr, nullptr},
    {kUnused19, "-", "", nullptr, hostText::unused, nullptr, nullptr},
    {kUnused20, "-", "", nullptr, hostText::unused, nullptr, nullptr},
};
