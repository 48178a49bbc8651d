#include "FactoryPresets.h"

#include <cstddef>

namespace
{
struct Setting
{
    ParameterIndex index;
    float value;
};

// Every parameter a program does not name starts at 0.
template <std::size_t N>
constexpr FactoryPreset preset(const char* name, const Setting (&settings)[N])
{
    FactoryPreset made{name, {}};
    for (const Setting& setting : settings)
        made.values[setting.index] = setting.value;
    return made;
}

constexpr FactoryPreset kPresets[] = {
    preset("Downward Comp. Reset", {{kDetection, 1.0f},
                                    {kScFilterFreq, 0.475f},
                                    {kKnee, 0.16f},
                                    {kRatio, 0.4f},
                                    {kAttack, 0.31f},
                                    {kRelease, 0.425f},
                                    {kReleaseSlow, 0.5f},
                                    {kMakeUpGain, 0.5f},
                                    {kHfHarmonicsAmount, 0.5f},
                                    {kLfHarmonicsAmount, 0.5f}}),
    preset("Upward Comp. Reset", {{kDetection, 0.54f},
                                  {kScFilterFreq, 0.475f},
                                  {kThreshold, 0.8f},
                                  {kKnee, 0.16f},
                                  {kRatio, 0.4f},
                                  {kAttack, 0.31f},
                                  {kRelease, 0.425f},
                                  {kReleaseSlow, 0.5f},
                                  {kDryMix, 1.0f},
                                  {kHfHarmonicsAmount, 0.5f},
                                  {kLfHarmonicsAmount, 0.5f},
                                  {kMeterScale, 0.25f}}),
    preset("Mastering: Smooth", {{kDetection, 0.54f},
                                 {kScFilterType, 0.5f},
                                 {kScFilterFreq, 0.52f},
                                 {kThreshold, 0.49f},
                                 {kKnee, 0.29f},
                                 {kRatio, 0.21f},
                                 {kAttack, 0.43f},
                                 {kRelease, 0.46f},
                                 {kReleaseSlow, 0.63f},
                                 {kMakeUpGain, 0.55f},
                                 {kHfHarmonics, 1.0f},
                                 {kLfHarmonics, 1.0f},
                                 {kHfHarmonicsAmount, 0.25f},
                                 {kLfHarmonicsAmount, 0.25f}}),
    preset("Mastering: Tight", {{kDetection, 1.0f},
                                {kScFilterType, 1.0f},
                                {kScFilterFreq, 0.6f},
                                {kThreshold, 0.49f},
                                {kKnee, 0.09f},
                                {kRatio, 0.41f},
                                {kAttack, 0.31f},
                                {kRelease, 0.37f},
                                {kReleaseSlow, 0.5f},
                                {kMakeUpGain, 0.58f},
                                {kHfHarmonics, 1.0f},
                                {kLfHarmonics, 1.0f},
                                {kHfHarmonicsAmount, 0.25f},
                                {kLfHarmonicsAmount, 0.25f}}),
    preset("Mastering: Aggressive", {{kDetection, 0.447f},
                                     {kScFilterType, 1.0f},
                                     {kScFilterFreq, 0.6f},
                                     {kThreshold, 0.49f},
                                     {kKnee, 0.06f},
                                     {kRatio, 0.74f},
                                     {kAttack, 0.25f},
                                     {kRelease, 0.29f},
                                     {kReleaseSlow, 0.46f},
                                     {kMakeUpGain, 0.62f},
                                     {kHfHarmonics, 1.0f},
                                     {kLfHarmonics, 1.0f},
                                     {kHfHarmonicsAmount, 0.5f},
                                     {kLfHarmonicsAmount, 0.5f}}),
    preset("Mastering: Upward", {{kDetection, 1.0f},
                                 {kScFilterType, 0.5f},
                                 {kScFilterFreq, 0.52f},
                                 {kThreshold, 1.0f},
                                 {kKnee, 0.28f},
                                 {kRatio, 0.52f},
                                 {kAttack, 0.27f},
                                 {kRelease, 0.42f},
                                 {kReleaseSlow, 0.5f},
                                 {kDryMix, 1.0f},
                                 {kMakeUpGain, 0.37f},
                                 {kHfHarmonics, 1.0f},
                                 {kLfHarmonics, 1.0f},
                                 {kHfHarmonicsAmount, 0.25f},
                                 {kLfHarmonicsAmount, 0.25f},
                                 {kMeterScale, 0.25f}}),
    preset("AGC", {{kDetection, 0.7f},
                   {kScFilterType, 0.5f},
                   {kScFilterFreq, 0.58f},
                   {kThreshold, 0.7f},
                   {kRatio, 0.41f},
                   {kAttack, 0.74f},
                   {kRelease, 0.5f},
                   {kReleaseSlow, 0.91f},
                   {kMakeUpGain, 0.63f},
                   {kHfHarmonicsAmount, 0.5f},
                   {kLfHarmonicsAmount, 0.5f}}),
    preset("Classic Compressor I", {{kDetection, 0.5f},
                                    {kScFilterType, 0.5f},
                                    {kScFilterFreq, 0.58f},
                                    {kThreshold, 0.5f},
                                    {kKnee, 0.4f},
                                    {kRatio, 0.4f},
                                    {kAttack, 0.23f},
                                    {kRelease, 0.45f},
                                    {kMakeUpGain, 0.57f},
                                    {kHfHarmonics, 1.0f},
                                    {kLfHarmonics, 1.0f},
                                    {kHfHarmonicsAmount, 0.5f},
                                    {kLfHarmonicsAmount, 0.5f}}),
    preset("Classic Compressor II", {{kDetection, 0.6f},
                                     {kScFilterType, 1.0f},
                                     {kScFilterFreq, 0.58f},
                                     {kThreshold, 0.5f},
                                     {kKnee, 1.0f},
                                     {kRatio, 0.8f},
                                     {kAttack, 0.26f},
                                     {kRelease, 0.5f},
                                     {kMakeUpGain, 0.6f},
                                     {kHfHarmonics, 1.0f},
                                     {kLfHarmonics, 1.0f},
                                     {kHfHarmonicsAmount, 0.5f},
                                     {kLfHarmonicsAmount, 0.5f}}),
};

// An array of kNumPrograms would quietly zero-fill a program left out of the list above.
static_assert(sizeof kPresets / sizeof kPresets[0] == kNumPrograms,
              "every program needs its factory preset");
} // namespace

const FactoryPreset (&kFactoryPresets)[kNumPrograms] = kPresets;
