#pragma once

#include <cstdint>

// Parameter indices; the editor uses the same numbers as control tags.
enum ParameterIndex : std::int32_t
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

constexpr std::int32_t kNumPrograms = 9;

// Read-only values that getParameter answers above the parameter range, for the editor's meters.
enum MeterValueIndex : std::int32_t
{
    kMeterConstantOne = 500,
    kMeterGain = 501,
    kMeterLevelSlow = 502,
    kMeterLevelFast = 503,
    kMeterConstantZeroA = 504,
    kMeterConstantZeroB = 505,
    kMeterActive = 506,
};

inline bool isParameterIndex(std::int32_t index)
{
    return index >= 0 && index < kNumParams;
}
