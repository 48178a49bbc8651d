#pragma once

#include "VstInterface.h"

// Parameter indices; the editor uses the same numbers as control tags.
enum ParameterIndex : VstInt32
{
    kDetection = 0,
    kScFilterType,
    kScFilterFreq,
    kThreshold,
    kKnee,
    kRatio,
    kAttack,
    kRelease,
    kReleaseSlow,
    kDryMix,
    kMakeUpGain,
    kHfHarmonics,
    kLfHarmonics,
    kHfHarmonicsAmount,
    kLfHarmonicsAmount,
    kDelta,
    kBypass,
    kScPreview,
    kMeterScale,
    kUnused19,
    kUnused20,
    kNumParams
};

constexpr VstInt32 kNumPrograms = 9;

// Read-only values that getParameter answers above the parameter range, for the editor's meters.
enum MeterValueIndex : VstInt32
{
    kMeterConstantOne = 500,
    kMeterGain = 501,
    kMeterLevelSlow = 502,
    kMeterLevelFast = 503,
    kMeterConstantZeroA = 504,
    kMeterConstantZeroB = 505,
    kMeterActive = 506,
};

inline bool isParameterIndex(VstInt32 index)
{
    return index >= 0 && index < kNumParams;
}
