#pragma once

#include "ParameterIds.h"
#include "ProductIdentity.h"

#include <cstdint>
#include <string>

// The LV2 plug-in's ports, in index order: the stereo audio pair in and out, the 21 parameters
// as control inputs in parameter order, then what the editor's meters read, the latency and the
// host's enable switch (Ardour's bypass button: 0 turns Bypass on). New ports go last, so the
// numbers of the others never change.
// The plug-in and its Turtle description both take the numbers from here.
namespace lv2ports
{
constexpr std::uint32_t kAudioIn = 0;  // left, right
constexpr std::uint32_t kAudioOut = 2; // left, right
constexpr std::uint32_t kFirstParameter = 4;
constexpr std::uint32_t kGain = kFirstParameter + kNumParams;
constexpr std::uint32_t kLevelFast = kGain + 1;
constexpr std::uint32_t kLevelSlow = kGain + 2;
constexpr std::uint32_t kLatency = kGain + 3;
constexpr std::uint32_t kEnable = kLatency + 1;
constexpr std::uint32_t kCount = kEnable + 1;

constexpr std::uint32_t parameterPort(std::int32_t index)
{
    return kFirstParameter + static_cast<std::uint32_t>(index);
}

// The meter outputs and the effect's read-only value each carries. `idle` is what a suspended
// effect publishes, which the user interface shows until the first values arrive.
struct MeterPort
{
    std::uint32_t port;
    MeterValueIndex value;
    const char* symbol;
    const char* name;
    float idle;
};
constexpr MeterPort kMeterPorts[] = {
    {kGain, kMeterGain, "gain", "Gain", 1.0f},
    {kLevelFast, kMeterLevelFast, "level_fast", "Fast Level", -100.0f},
    {kLevelSlow, kMeterLevelSlow, "level_slow", "Slow Level", -100.0f},
};

// The port symbol of a parameter: its name in lower case with every run of other characters
// made one underscore ("SC Filter Freq" is sc_filter_freq). A name with no letters ("-") gives
// unused_<index>. Symbols are what saved sessions and presets name, so they never change.
std::string parameterSymbol(std::int32_t index);
} // namespace lv2ports

// The plug-in's URI and its user interface's, from the product's identity; presets hang below
// the plug-in's.
namespace lv2uri
{
constexpr const char* kPlugin = identity::kLv2Uri;
constexpr const char* kUi = identity::kLv2UiUri;
std::string preset(int program);
} // namespace lv2uri
