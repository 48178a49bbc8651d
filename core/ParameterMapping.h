#pragma once

// From normalised parameter values (32-bit floats) to the physical values the engine takes.
// Each function follows the parameter table's rounding exactly: comparisons widen v to double
// unless noted, and the single-precision steps are marked where they occur.

// 10^(dB/20), computed the way the engine computes its powers of ten.
double dbToGain(double dB);

// Logarithmic mapping from 0..1 to lo..hi, all in single precision; shared with the editor's
// side-chain frequency text.
float logScale(float v, float lo, float hi);

double detectionTimeMs(float v);     // 0 = Peak, 600 = Dyn RMS, else RMS window 2..60 ms
float sideChainFrequencyHz(float v); // 30..300 Hz
double thresholdDb(float v);
double kneeDb(float v);
double ratioSlope(float v);
double attackMs(float v);
double releaseMs(float v); // "Release" and "Release Slow" alike
double dryGain(float v);
double makeUpGain(float v);
double harmonicsAmount(float v);
bool switchOn(float v);           // HF/LF Harmonics, Delta, Bypass: exactly 1.0
bool sideChainPreviewOn(float v); // above 0.5
