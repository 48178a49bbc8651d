#pragma once

// The editor's value texts: each turns a normalised parameter value into the short text shown
// under its knob. They live in core because the parameter table names them beside the host's
// texts. They are handed to the value displays and text knobs as their value-text
// callbacks. Each writes at most kValueTextCapacity bytes including the terminator; normal
// values need 18 at most, so only absurd host values (1e30 and the like) are ever cut short.

constexpr int kValueTextCapacity = 32;

void versionText(float value, char* text);
void thresholdText(float value, char* text);
void kneeText(float value, char* text);
void ratioText(float value, char* text);
void attackText(float value, char* text);
void releaseText(float value, char* text);
void makeUpText(float value, char* text);
void dryMixText(float value, char* text);
void scFilterFreqText(float value, char* text);
void detectionText(float value, char* text);
void harmonicsAmountText(float value, char* text);

// The transfer-curve display's make-up gain for a normalised "Make Up Gain" value: -60 dB to
// 0 dB on the lower half as the effect does, but only up to +12 dB on the upper half.
double transferMakeUpDb(double normalised);

// The side-chain frequency text uses the parameter model's own logScale (ParameterMapping.h),
// so the text always names the frequency the engine receives.
