#include "VstTemplate.h"

void VstTemplate::suspend()
{
    effect->suspend();
}

// The host learns the latency from the record once the effect has run: hosts read it after
// resuming.
void VstTemplate::resume()
{
    setInitialDelay(kLatencyFrames);
    effect->resume();
}

// A rate the engine could not be designed for is ignored: the last valid rate stays in force.
void VstTemplate::setSampleRate(float rate)
{
    if (effect->setSampleRate(rate)) AudioEffectX::setSampleRate(rate);
}

void VstTemplate::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    effect->process(inputs, outputs, sampleFrames);
}

void VstTemplate::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames)
{
    effect->process(inputs, outputs, sampleFrames);
}
