// The processor's side: set-up, and the block call, which takes the host's timed parameter
// changes apart at their frames.
#include "Vst3Plugin.h"

#include <algorithm>
#include <cmath>

using namespace vst3;

namespace
{
// Timed changes one block can carry; beyond it the rest apply at the block's start (none lost).
constexpr std::size_t kMaxTimedChanges = 4096;
// Queues read from one block; a host offering more is not believed.
constexpr int32 kMaxQueues = 256;

float clampedValue(ParamValue value)
{
    return static_cast<float>(value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value));
}
} // namespace

tresult Vst3Plugin::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                       SpeakerArrangement* outputs, int32 numOuts)
{
    const bool stereo = numIns == 1 && numOuts == 1 && inputs && outputs &&
                        inputs[0] == SpeakerArr::kStereo && outputs[0] == SpeakerArr::kStereo;
    return stereo ? kResultTrue : kResultFalse;
}

tresult Vst3Plugin::getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr)
{
    if ((dir != kInput && dir != kOutput) || index != 0) return kInvalidArgument;
    arr = SpeakerArr::kStereo;
    return kResultOk;
}

tresult Vst3Plugin::canProcessSampleSize(int32 symbolicSampleSize)
{
    return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64 ? kResultTrue
                                                                              : kResultFalse;
}

uint32 Vst3Plugin::getLatencySamples()
{
    return OrvaneEffect::kLatencyFrames;
}

// The delayed signal leaves after the input ends, and the harmonics' filters ring on a little.
uint32 Vst3Plugin::getTailSamples()
{
    constexpr double kRingSeconds = 0.1;
    return OrvaneEffect::kLatencyFrames +
           static_cast<uint32>(
               std::ceil(sampleRate.load(std::memory_order_relaxed) * kRingSeconds));
}

// Everything the audio thread will use is sized here, never in process.
tresult Vst3Plugin::setupProcessing(ProcessSetup& setup)
{
    if (active) return kResultFalse;
    if (canProcessSampleSize(setup.symbolicSampleSize) != kResultTrue ||
        setup.maxSamplesPerBlock <= 0 || setup.maxSamplesPerBlock > kMaxSetupBlock)
        return kResultFalse;
    // The VST 2.4 build hears the rate as a host's float; so does this one.
    const auto rate = static_cast<float>(setup.sampleRate);
    if (!effect->setSampleRate(rate)) return kResultFalse;
    sampleRate.store(rate, std::memory_order_relaxed);
    sampleSize = setup.symbolicSampleSize;
    maxBlock = setup.maxSamplesPerBlock;
    silence.assign(static_cast<std::size_t>(maxBlock), 0.0);
    return kResultOk;
}

// Even a host that processes without a set-up finds the change lists sized.
void Vst3Plugin::reserveBlockStorage()
{
    pending.reserve(kMaxTimedChanges);
    timed.reserve(kMaxTimedChanges);
}

tresult Vst3Plugin::setProcessing(TBool)
{
    return kResultOk;
}

tresult Vst3Plugin::process(ProcessData& data)
{
    takeParameterChanges(data.inputParameterChanges);
    if (pendingProgram >= 0)
    {
        effect->setProgram(pendingProgram);
        reportProgramChange(data);
        pendingProgram = -1;
    }
    // A block without audio only delivers parameters (a host's flush).
    if (data.numSamples <= 0 || data.numOutputs < 1 || !data.outputs)
    {
        applyChangesNow();
        return kResultOk;
    }
    if (data.symbolicSampleSize == kSample64)
        processAudio<double>(data);
    else if (data.symbolicSampleSize == kSample32)
        processAudio<float>(data);
    else
        return kInvalidArgument;
    return kResultOk;
}

// A block with nothing to write still delivers its changes, in order.
void Vst3Plugin::applyChangesNow()
{
    for (const ParameterChange& change : timed)
        effect->setParameter(change.index, change.value);
}

// Collects the block's points in frame order (the host's order among equal frames); the
// program choice takes effect at the block's start.
void Vst3Plugin::takeParameterChanges(IParameterChanges* changes)
{
    pending.clear();
    timed.clear();
    if (!changes) return;
    const int32 queues = std::min(changes->getParameterCount(), kMaxQueues);
    int32 order = 0;
    for (int32 q = 0; q < queues; ++q)
    {
        IParamValueQueue* queue = changes->getParameterData(q);
        if (!queue) continue;
        const ParamID id = queue->getParameterId();
        const int32 points = queue->getPointCount();
        for (int32 p = 0; p < points; ++p)
        {
            int32 frame = 0;
            ParamValue value = 0.0;
            if (queue->getPoint(p, frame, value) != kResultOk || !std::isfinite(value)) continue;
            if (id == kProgramParameterId)
                pendingProgram =
                    static_cast<int32>(std::lround(clampedValue(value) * (kNumPrograms - 1)));
            else if (id < static_cast<ParamID>(kNumParams) && pending.size() < kMaxTimedChanges)
                pending.push_back(
                    {{std::max(frame, 0), static_cast<std::int32_t>(id), clampedValue(value)},
                     order++});
            else if (id < static_cast<ParamID>(kNumParams))
                effect->setParameter(static_cast<std::int32_t>(id), clampedValue(value));
        }
    }
    std::sort(pending.begin(), pending.end(),
              [](const TimedChange& a, const TimedChange& b) {
                  return a.change.frame != b.change.frame ? a.change.frame < b.change.frame
                                                          : a.order < b.order;
              });
    for (const TimedChange& t : pending)
        timed.push_back(t.change);
}

namespace
{
template <typename Sample> Sample** channelsOf(AudioBusBuffers& bus);
template <> float** channelsOf<float>(AudioBusBuffers& bus)
{
    return bus.channelBuffers32;
}
template <> double** channelsOf<double>(AudioBusBuffers& bus)
{
    return bus.channelBuffers64;
}

// -120 dBFS: what the engine's anti-denormal offsets leave behind once the delayed signal has
// drained (some -140 dBFS, lifted by the make-up gain) lies below it, anything audible above.
constexpr double kSilenceFloor = 1.0 / (1 << 20);

// One bit per channel that holds nothing but zeros.
template <typename Sample> uint64 silentChannels(Sample* const* channels, int32 frames)
{
    uint64 flags = 0;
    for (int c = 0; c < 2; ++c)
        if (std::all_of(channels[c], channels[c] + frames, [](Sample s) { return s == Sample(0); }))
            flags |= uint64(1) << c;
    return flags;
}

// After silent input: a block that has fallen below the floor is made silent, so the flags the
// host reads and the samples agree.
template <typename Sample> void settleSilence(Sample* const* channels, int32 frames)
{
    for (int c = 0; c < 2; ++c)
        if (!std::all_of(channels[c], channels[c] + frames,
                         [](Sample s)
                         { return std::fabs(static_cast<double>(s)) < kSilenceFloor; }))
            return;
    for (int c = 0; c < 2; ++c)
        std::fill(channels[c], channels[c] + frames, Sample(0));
}
} // namespace

template <typename Sample> void Vst3Plugin::processAudio(ProcessData& data)
{
    const int32 frames = data.numSamples;
    AudioBusBuffers& out = data.outputs[0];
    Sample** outputs = channelsOf<Sample>(out);
    if (out.numChannels < 2 || !outputs || !outputs[0] || !outputs[1]) return applyChangesNow();
    const Sample* inputs[2] = {nullptr, nullptr};
    bool silentInput = true;
    if (data.numInputs >= 1 && data.inputs && data.inputs[0].numChannels >= 2 &&
        channelsOf<Sample>(data.inputs[0]))
    {
        AudioBusBuffers& in = data.inputs[0];
        Sample** channels = channelsOf<Sample>(in);
        // A channel the host marks silent is read as zeros, whatever its buffer holds.
        // (The zeros are doubles; their bytes read as float zeros just as well.)
        const bool zerosFit = frames <= maxBlock;
        for (int c = 0; c < 2; ++c)
        {
            const bool silent = (in.silenceFlags >> c) & 1u;
            silentInput = silentInput && silent;
            inputs[c] =
                silent && zerosFit ? reinterpret_cast<const Sample*>(silence.data()) : channels[c];
        }
    }
    effect->process(inputs, outputs, frames, timed.data(), static_cast<int>(timed.size()));
    if (silentInput) settleSilence(outputs, frames);
    out.silenceFlags = silentChannels(outputs, frames);
}

// The host learns the new program's values as the processor's own changes at the block's start.
void Vst3Plugin::reportProgramChange(ProcessData& data)
{
    IParameterChanges* out = data.outputParameterChanges;
    if (!out) return;
    auto report = [&](ParamID id, ParamValue value)
    {
        int32 index = 0;
        IParamValueQueue* queue = out->addParameterData(id, index);
        if (queue) queue->addPoint(0, value, index);
    };
    report(kProgramParameterId,
           static_cast<ParamValue>(effect->currentProgram()) / (kNumPrograms - 1));
    for (std::int32_t i = 0; i < kNumParams; ++i)
        report(static_cast<ParamID>(i), effect->getParameter(i));
}

template void Vst3Plugin::processAudio<float>(ProcessData&);
template void Vst3Plugin::processAudio<double>(ProcessData&);
