#include "FactoryPresets.h"

// Values in parameter order: Detection, SC Filter Type, SC Filter Freq, Threshold, Knee, Ratio,
// Attack, Release, Release Slow, Dry Mix, Make Up Gain, HF Harmonics, LF Harmonics,
// HF Harmonics Amount, LF Harmonics Amount, Delta, Bypass, SC Preview, Meter Scale, -, -.
const FactoryPreset kFactoryPresets[kNumPrograms] = {
    {"Downward Comp. Reset",
     {1.0f, 0.0f, 0.475f, 0.0f, 0.16f, 0.4f, 0.31f, 0.425f, 0.5f, 0.0f, 0.5f,
      0.0f, 0.0f, 0.5f,   0.5f, 0.0f,  0.0f, 0.0f,  0.0f,   0.0f, 0.0f}},
    {"Upward Comp. Reset", {0.54f, 0.0f, 0.475f, 0.8f, 0.16f, 0.4f, 0.31f, 0.425f, 0.5f, 1.0f, 0.0f,
                            0.0f,  0.0f, 0.5f,   0.5f, 0.0f,  0.0f, 0.0f,  0.25f,  0.0f, 0.0f}},
    {"Mastering: Smooth",
     {0.54f, 0.5f, 0.52f, 0.49f, 0.29f, 0.21f, 0.43f, 0.46f, 0.63f, 0.0f, 0.55f,
      1.0f,  1.0f, 0.25f, 0.25f, 0.0f,  0.0f,  0.0f,  0.0f,  0.0f,  0.0f}},
    {"Mastering: Tight", {1.0f, 1.0f, 0.6f,  0.49f, 0.09f, 0.41f, 0.31f, 0.37f, 0.5f, 0.0f, 0.58f,
                          1.0f, 1.0f, 0.25f, 0.25f, 0.0f,  0.0f,  0.0f,  0.0f,  0.0f, 0.0f}},
    {"Mastering: Aggressive",
     {0.447f, 1.0f, 0.6f, 0.49f, 0.06f, 0.74f, 0.25f, 0.29f, 0.46f, 0.0f, 0.62f,
      1.0f,   1.0f, 0.5f, 0.5f,  0.0f,  0.0f,  0.0f,  0.0f,  0.0f,  0.0f}},
    {"Mastering: Upward", {1.0f, 0.5f, 0.52f, 1.0f,  0.28f, 0.52f, 0.27f, 0.42f, 0.5f, 1.0f, 0.37f,
                           1.0f, 1.0f, 0.25f, 0.25f, 0.0f,  0.0f,  0.0f,  0.25f, 0.0f, 0.0f}},
    {"AGC", {0.7f, 0.5f, 0.58f, 0.7f, 0.0f, 0.41f, 0.74f, 0.5f, 0.91f, 0.0f, 0.63f,
             0.0f, 0.0f, 0.5f,  0.5f, 0.0f, 0.0f,  0.0f,  0.0f, 0.0f,  0.0f}},
    {"Classic Compressor I", {0.5f, 0.5f, 0.58f, 0.5f, 0.4f, 0.4f, 0.23f, 0.45f, 0.0f, 0.0f, 0.57f,
                              1.0f, 1.0f, 0.5f,  0.5f, 0.0f, 0.0f, 0.0f,  0.0f,  0.0f, 0.0f}},
    {"Classic Compressor II", {0.6f, 1.0f, 0.58f, 0.5f, 1.0f, 0.8f, 0.26f, 0.5f, 0.0f, 0.0f, 0.6f,
                               1.0f, 1.0f, 0.5f,  0.5f, 0.0f, 0.0f, 0.0f,  0.0f, 0.0f, 0.0f}},
};
