#include "VstTemplate.h"

#include "CompressorEngine.h"
#include "DenormalGuard.h"
#include "StereoDelay.h"

#include <algorithm>
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

// The engine runs on chunks of double-precision frames on the stack. Inputs and outputs may be
// the same memory: a chunk's input is copied before any of its output is written, and the
// bypass path reads each frame before that frame is written. The block length is not bounded
// by the announced block size; nothing here is sized by it. The meters are published once per
// chunk: a reader on another thread cannot tell the difference.
template <typename Sample>
void VstTemplate::processBlock(Sample** inputs, Sample** outputs, VstInt32 sampleFrames)
{
    if (sampleFrames <= 0) return;
    if (!channelsPresent(inputs) || !channelsPresent(outputs))
        return silence(outputs, sampleFrames);

    DenormalGuard denormals;
    const bool direct = static_cast<double>(getSampleRate()) >= kDirectPathRate;
    constexpr VstInt32 kChunk = 256;
    double left[kChunk], right[kChunk];
    CompressorEngine::Meters meters;

    for (VstInt32 start = 0; start < sampleFrames; start += kChunk)
    {
        const VstInt32 frames = std::min(kChunk, sampleFrames - start);
        const Sample* inL = inputs[0] + start;
        const Sample* inR = inputs[1] + start;
        Sample* outL = outputs[0] + start;
        Sample* outR = outputs[1] + start;
        for (VstInt32 i = 0; i < frames; ++i)
        {
            left[i] = inL[i];
            right[i] = inR[i];
        }
        if (direct)
            engine->processDirect(left, right, frames, meters);
        else
            engine->processOversampled(left, right, frames, meters);

        for (VstInt32 i = 0; i < frames; ++i)
        {
            double dl = inL[i], dr = inR[i];
            bypassDelay->process(dl, dr);
            const bool bypassed = bypass.load(relaxed);
            outL[i] = static_cast<Sample>(bypassed ? dl : left[i]);
            outR[i] = static_cast<Sample>(bypassed ? dr : right[i]);
        }
        meterGain.store(meters.gain, relaxed);
        meterLevelFast.store(meters.levelFast, relaxed);
        meterLevelSlow.store(meters.levelSlow, relaxed);
    }
}
