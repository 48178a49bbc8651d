#include "Lv2Compressor.h"

#include "CompressorEngine.h"
#include "VstTemplate.h"

#include <cmath>
#include <limits>
#include <new>

namespace
{
// The effect asks its host only for its version and reports automation; an LV2 host learns of
// changes through its own ports, so the effect is told nothing else.
VstIntPtr answerEffect(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}
} // namespace

std::unique_ptr<Lv2Compressor> Lv2Compressor::create(double sampleRate)
{
    if (!(sampleRate >= VstTemplate::kMinSampleRate && sampleRate <= VstTemplate::kMaxSampleRate))
        return nullptr;
    try
    {
        auto effect =
            std::make_unique<VstTemplate>(answerEffect, std::make_unique<CompressorEngine>());
        effect->setSampleRate(static_cast<float>(sampleRate));
        return std::unique_ptr<Lv2Compressor>(new Lv2Compressor(std::move(effect)));
    }
    catch (...)
    {
        return nullptr;
    }
}

// Nothing is applied yet: the first run hands every port's value to the effect, in parameter
// order, as a VST 2.4 program change would.
Lv2Compressor::Lv2Compressor(std::unique_ptr<VstTemplate> e) : effect(std::move(e))
{
    for (float& v : applied)
        v = std::numeric_limits<float>::quiet_NaN();
}

Lv2Compressor::~Lv2Compressor() = default;

void Lv2Compressor::connect(std::uint32_t port, void* data)
{
    using namespace lv2ports;
    if (port < kFirstParameter)
        audio[port] = static_cast<float*>(data);
    else if (port < kGain)
        controls[port - kFirstParameter] = static_cast<const float*>(data);
    else if (port < kLatency)
        meters[port - kGain] = static_cast<float*>(data);
    else if (port == kLatency)
        latency = static_cast<float*>(data);
}

void Lv2Compressor::activate()
{
    effect->resume();
}

void Lv2Compressor::deactivate()
{
    effect->suspend();
}

void Lv2Compressor::run(std::uint32_t frames)
{
    applyChangedControls();
    float* inputs[2] = {audio[lv2ports::kAudioIn], audio[lv2ports::kAudioIn + 1]};
    float* outputs[2] = {audio[lv2ports::kAudioOut], audio[lv2ports::kAudioOut + 1]};
    effect->processReplacing(inputs, outputs, static_cast<VstInt32>(frames));
    publishOutputs();
}

// A value equal to the one last applied is no change; the effect's own interlocks may since
// have switched that parameter off, and the port must not switch it on again behind them.
// Non-finite values are refused by the effect, and are not remembered either.
void Lv2Compressor::applyChangedControls()
{
    for (VstInt32 i = 0; i < kNumParams; ++i)
    {
        if (!controls[i]) continue;
        const float v = *controls[i];
        if (v == applied[i] || !std::isfinite(v)) continue;
        applied[i] = v;
        effect->setParameter(i, v);
    }
}

void Lv2Compressor::publishOutputs()
{
    for (const auto& meter : lv2ports::kMeterPorts)
        if (float* out = meters[meter.port - lv2ports::kGain])
            *out = effect->getParameter(meter.value);
    if (latency) *latency = static_cast<float>(effect->getAeffect()->initialDelay);
}
