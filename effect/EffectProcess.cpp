#include "OrvaneEffect.h"

#include "DenormalGuard.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr auto relaxed = std::memory_order_relaxed;

template <typename Sample> bool channelsPresent(const Sample* const* buffers)
{
    return buffers && buffers[0] && buffers[1];
}

// Without input there is nothing to process; whatever output there is gets silence rather than
// whatever the host left in it.
template <typename Sample> void silence(Sample* const* outputs, std::int32_t frames)
{
    if (!outputs) return;
    for (int c = 0; c < 2; ++c)
        if (Sample* out = outputs[c]) std::fill(out, out + frames, Sample(0));
}
// The host's buffers and the chunk's: never the same memory, which the compiler cannot know
// without __restrict, and would convert a sample at a time.
template <typename From, typename To>
void convert(const From* __restrict in, To* __restrict out, std::int32_t frames)
{
    for (std::int32_t i = 0; i < frames; ++i)
        out[i] = static_cast<To>(in[i]);
}
} // namespace

void OrvaneEffect::suspend()
{
    engine->reset();
    meterGain.store(1.0, relaxed);
    meterLevelFast.store(-100.0, relaxed);
    meterLevelSlow.store(-100.0, relaxed);
    active.store(false, relaxed);
}

void OrvaneEffect::resume()
{
    active.store(true, relaxed);
}

bool OrvaneEffect::setSampleRate(double r)
{
    if (!std::isfinite(r) || r < kMinSampleRate || r > kMaxSampleRate) return false;
    engine->setSampleRate(r);
    return true;
}

void OrvaneEffect::process(const float* const* in, float* const* out, std::int32_t frames)
{
    processBlock(in, out, frames);
}

void OrvaneEffect::process(const double* const* in, double* const* out, std::int32_t frames)
{
    processBlock(in, out, frames);
}

void OrvaneEffect::process(const float* const* in, float* const* out, std::int32_t frames,
                           const ParameterChange* changes, int count)
{
    processTimed(in, out, frames, changes, count);
}

void OrvaneEffect::process(const double* const* in, double* const* out, std::int32_t frames,
                           const ParameterChange* changes, int count)
{
    processTimed(in, out, frames, changes, count);
}

// The pieces between changes are blocks of their own: the engine takes what changed at the
// start of each, so a change is heard from its frame on.
template <typename Sample>
void OrvaneEffect::processTimed(const Sample* const* in, Sample* const* out, std::int32_t frames,
                                const ParameterChange* changes, int count)
{
    if (frames <= 0 || !channelsPresent(in) || !channelsPresent(out) || !changes || count <= 0)
    {
        processBlock(in, out, frames);
        for (int k = 0; changes && k < count; ++k)
            setParameter(changes[k].index, changes[k].value);
        return;
    }
    std::int32_t done = 0;
    for (int k = 0; k < count; ++k)
    {
        const std::int32_t at = std::clamp(changes[k].frame, done, frames);
        if (at > done) processPiece(in, out, done, at - done);
        done = at;
        setParameter(changes[k].index, changes[k].value);
    }
    if (done < frames) processPiece(in, out, done, frames - done);
}

template <typename Sample>
void OrvaneEffect::processPiece(const Sample* const* in, Sample* const* out, std::int32_t start,
                                std::int32_t frames)
{
    const Sample* pieceIn[2] = {in[0] + start, in[1] + start};
    Sample* pieceOut[2] = {out[0] + start, out[1] + start};
    processBlock(pieceIn, pieceOut, frames);
}

// The engine runs on chunks of double-precision frames on the stack. Inputs and outputs may be
// the same memory: a chunk's input is copied before any of its output is written. The bypassed
// signal is the input delayed by the latency, which the engine hands back beside its output.
// The block length is not bounded by the announced block size; nothing here is sized by it. The
// meters are published once per chunk: a reader on another thread cannot tell the difference.
template <typename Sample>
void OrvaneEffect::processBlock(const Sample* const* inputs, Sample* const* outputs,
                                std::int32_t sampleFrames)
{
    if (sampleFrames <= 0) return;
    if (!channelsPresent(inputs) || !channelsPresent(outputs))
        return silence(outputs, sampleFrames);

    DenormalGuard denormals;
    constexpr std::int32_t kChunk = 256;
    double left[kChunk], right[kChunk], delayedL[kChunk], delayedR[kChunk];
    CompressorEngine::Meters meters;

    for (std::int32_t start = 0; start < sampleFrames; start += kChunk)
    {
        const std::int32_t frames = std::min(kChunk, sampleFrames - start);
        const Sample* inL = inputs[0] + start;
        const Sample* inR = inputs[1] + start;
        Sample* outL = outputs[0] + start;
        Sample* outR = outputs[1] + start;
        convert(inL, left, frames);
        convert(inR, right, frames);
        engine->process(left, right, frames, meters, delayedL, delayedR);

        // Read once a chunk: a change arrives between blocks, or between the pieces a timed
        // change cuts a block into.
        const bool bypassed = bypass.load(relaxed);
        convert(bypassed ? delayedL : left, outL, frames);
        convert(bypassed ? delayedR : right, outR, frames);
        meterGain.store(meters.gain, relaxed);
        meterLevelFast.store(meters.levelFast, relaxed);
        meterLevelSlow.store(meters.levelSlow, relaxed);
    }
}
