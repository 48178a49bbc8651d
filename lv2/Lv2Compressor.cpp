#include "Lv2Compressor.h"

#include "CompressorEngine.h"
#include "Lv2Features.h"
#include "Lv2InlineDisplay.h"
#include "OrvaneEffect.h"

#include <lv2/atom/atom.h>

#include <cmath>
#include <limits>
#include <new>
#include <string>

std::unique_ptr<Lv2Compressor> Lv2Compressor::create(double sampleRate,
                                                     const LV2_Feature* const* features)
{
    if (!(sampleRate >= OrvaneEffect::kMinSampleRate && sampleRate <= OrvaneEffect::kMaxSampleRate))
        return nullptr;
    try
    {
        auto effect = std::make_unique<OrvaneEffect>(std::make_unique<CompressorEngine>());
        // The VST 2.4 build hears the rate as a host's float; so does this one.
        effect->setSampleRate(static_cast<float>(sampleRate));
        return std::unique_ptr<Lv2Compressor>(new Lv2Compressor(
            std::move(effect), findFeature<const LV2_URID_Map>(features, LV2_URID__map),
            findFeature<const ardourlv2::QueueDraw>(features, ardourlv2::kQueueDraw), sampleRate));
    }
    catch (...)
    {
        return nullptr;
    }
}

// Nothing is applied yet: the first run hands every port's value to the effect, in parameter
// order, as a VST 2.4 program change would.
Lv2Compressor::Lv2Compressor(std::unique_ptr<OrvaneEffect> e, const LV2_URID_Map* map,
                             const ardourlv2::QueueDraw* queueDraw, double sampleRate)
    : effect(std::move(e)),
      inlineDisplay(std::make_unique<Lv2InlineDisplay>(queueDraw, sampleRate, glanceOf(*effect)))
{
    for (float& v : applied)
        v = std::numeric_limits<float>::quiet_NaN();
    if (!map) return;
    const std::string key = std::string(lv2uri::kPlugin) + "#state";
    stateKey = map->map(map->handle, key.c_str());
    chunkType = map->map(map->handle, LV2_ATOM__Chunk);
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
    else if (port == kEnable)
        enable = static_cast<const float*>(data);
}

void Lv2Compressor::activate()
{
    reportedLatency = static_cast<float>(OrvaneEffect::kLatencyFrames);
    effect->resume();
}

void Lv2Compressor::deactivate()
{
    effect->suspend();
}

void Lv2Compressor::run(std::uint32_t frames)
{
    applyChangedControls();
    applyEnable();
    const float* inputs[2] = {audio[lv2ports::kAudioIn], audio[lv2ports::kAudioIn + 1]};
    float* outputs[2] = {audio[lv2ports::kAudioOut], audio[lv2ports::kAudioOut + 1]};
    effect->process(inputs, outputs, static_cast<std::int32_t>(frames));
    publishOutputs();
    inlineDisplay->publish(glanceOf(*effect), frames);
}

// A value equal to the one last applied is no change; the effect's own interlocks may since
// have switched that parameter off, and the port must not switch it on again behind them.
// Non-finite values are refused by the effect, and are not remembered either.
void Lv2Compressor::applyChangedControls()
{
    for (std::int32_t i = 0; i < kNumParams; ++i)
    {
        if (!controls[i]) continue;
        const float v = *controls[i];
        if (v == applied[i] || !std::isfinite(v)) continue;
        applied[i] = v;
        effect->setParameter(i, v);
    }
}

// The host's bypass is the effect's own Bypass (the input delayed by the latency while the
// engine runs on), so switching it is as click-free and latency-aligned as the Bypass button.
// Zero and below mean "disabled"; the effect's interlocks then switch Delta and SC Preview off.
void Lv2Compressor::applyEnable()
{
    if (!enable) return;
    const float v = *enable;
    if (v == appliedEnable || !std::isfinite(v)) return;
    const bool wasEnabled = appliedEnable > 0.0f;
    appliedEnable = v;
    if ((v > 0.0f) != wasEnabled) effect->setParameter(kBypass, v > 0.0f ? 0.0f : 1.0f);
}

ardourlv2::ImageSurface* Lv2Compressor::renderInline(std::uint32_t width, std::uint32_t maxHeight)
{
    return inlineDisplay->render(width, maxHeight);
}

void Lv2Compressor::publishOutputs()
{
    for (const auto& meter : lv2ports::kMeterPorts)
        if (float* out = meters[meter.port - lv2ports::kGain])
            *out = effect->meterValue(meter.value);
    if (latency) *latency = reportedLatency;
}

LV2_State_Status Lv2Compressor::save(LV2_State_Store_Function store, LV2_State_Handle handle)
{
    if (!stateKey || !store) return LV2_STATE_ERR_NO_FEATURE;
    const std::vector<std::uint8_t> state = effect->saveState();
    return store(handle, stateKey, state.data(), state.size(), chunkType,
                 LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

// The restored values become the ones last applied: a port the host leaves where the saved
// session had it must not be applied again over them.
LV2_State_Status Lv2Compressor::restore(LV2_State_Retrieve_Function retrieve,
                                        LV2_State_Handle handle)
{
    if (!stateKey || !retrieve) return LV2_STATE_ERR_NO_FEATURE;
    std::size_t size = 0;
    std::uint32_t type = 0, flags = 0;
    const void* data = retrieve(handle, stateKey, &size, &type, &flags);
    if (!data) return LV2_STATE_ERR_NO_PROPERTY;
    if (type != chunkType) return LV2_STATE_ERR_BAD_TYPE;
    if (!effect->loadState(data, size)) return LV2_STATE_ERR_UNKNOWN;
    for (std::int32_t i = 0; i < kNumParams; ++i)
        applied[i] = effect->getParameter(i);
    return LV2_STATE_SUCCESS;
}
