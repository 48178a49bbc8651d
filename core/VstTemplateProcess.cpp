#include "VstTemplate.h"

#include "CompressorEngine.h"
#include "DenormalGuard.h"
#include "StereoDelay.h"

#include <cmath>

namespace
{
constexpr auto relaxed = std::memory_order_relaxed;

template <typename Sample> bool channelsPresent(Sample** buffers)
{
    return buffers && buffers[0] && buffers[1];
}

// Without input there is nothing to process; whatever output there is gets silence rather than
// whatever the host left in it.
template <typename Sample> void silence(Sample** outputs, VstInt32 sampleFrames)
{
    if (!outputs) return;
    for (int c = 0; c < 2; ++c)
        if (Sample* out = outputs[c])
            for (VstInt32 i = 0; i < sampleFrames; ++i)
                out[i] = Sample(0);
}
} // namespace

void VstTemplate::suspend()
{
    engine->reset();
    bypassDelay->clear();
    meterConstantOne.store(1.0, relaxed);
    meterGain.store(1.0, relaxed);
    meterLevelFast.store(-100.0, relaxed);
    meterLevelSlow.store(-100.0, relaxed);
    processingActive.store(0.0f, relaxed);
}

void VstTemplate::resume()
{
    setInitialDelay(kLatencyFrames);
    processingActive.store(1.0f, relaxed);
}

// A rate the engine could not be designed for is ignored: the last valid rate stays in force.
void VstTemplate::setSampleRate(float rate)
{
    const double r = rate;
    if (!std::isfinite(r) || r < kMinSampleRate || r > kMaxSampleRate) return;
    AudioEffectX::setSampleRate(rate);
    engine->setSampleRate(r);
}

void VstTemplate::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    processBlock(inputs, outputs, sampleFrames);
}

void VstTemplate::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames)
{
    processBlock(inputs, outputs, sampleFrames);
}

// One engine frame per sample frame. Inputs and outputs may be the same memory: each frame is
// read completely before it is written. The block length is not bounded by the announced
// block size; nothing here is sized by it.
template <typename Sample>
void VstTemplate::processBlock(Sample** inputs, Sample** outputs, VstInt32 sampleFrames)
{
    if (sampleFrames <= 0) return;
    if (!channelsPresent(inputs) || !channelsPresent(outputs))
        return silence(outputs, sampleFrames);

    DenormalGuard denormals;
    const bool direct = static_cast<double>(getSampleRate()) >= kDirectPathRate;
    const Sample* inL = inputs[0];
    const Sample* inR = inputs[1];
    Sample* outL = outputs[0];
    Sample* outR = outputs[1];
    double gainOut = 0.0, levelFast = -100.0, levelSlow = -100.0;

    for (VstInt32 i = 0; i < sampleFrames; ++i)
    {
        double l = inL[i], r = inR[i];
        double dl = l, dr = r;
        bypassDelay->process(dl, dr);
        if (direct)
            engine->processFrameDirect(l, r, gainOut, levelFast, levelSlow);
        else
            engine->processFrameOversampled(l, r, gainOut, levelFast, levelSlow);
        if (bypass.load(relaxed))
        {
            l = dl;
            r = dr;
        }
        meterGain.store(gainOut, relaxed);
        meterLevelFast.store(levelFast, relaxed);
        meterLevelSlow.store(levelSlow, relaxed);
        outL[i] = static_cast<Sample>(l);
        outR[i] = static_cast<Sample>(r);
    }
}
