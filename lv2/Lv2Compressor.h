#pragma once

#include "Lv2ArdourExtensions.h"
#include "Lv2Ports.h"

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <memory>

class Lv2InlineDisplay;
class OrvaneEffect;

// The effect behind LV2 ports. An LV2 host sets a parameter by writing its port; the effect is
// told of a port only when its value changes, in parameter order, so a change runs the effect's
// whole parameter procedure once, exactly as a VST 2.4 host's call does, and both formats give
// the same samples. The host saves and restores the effect's state (every program's values and
// name, and the current program) through the state interface, where it maps URIs.
class Lv2Compressor
{
  public:
    // Null for a rate the effect cannot run at, or when an allocation fails. `features` may be
    // null; without a URID map there is no state to save or restore.
    static std::unique_ptr<Lv2Compressor> create(double sampleRate,
                                                 const LV2_Feature* const* features = nullptr);
    ~Lv2Compressor();

    void connect(std::uint32_t port, void* data);
    void activate();
    void deactivate();
    void run(std::uint32_t frames);

    LV2_State_Status save(LV2_State_Store_Function store, LV2_State_Handle handle);
    LV2_State_Status restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle);

    // The mixer-strip picture, off the audio thread (see Lv2InlineDisplay).
    ardourlv2::ImageSurface* renderInline(std::uint32_t width, std::uint32_t maxHeight);

  private:
    Lv2Compressor(std::unique_ptr<OrvaneEffect> effect, const LV2_URID_Map* map,
                  const ardourlv2::QueueDraw* queueDraw, double sampleRate);
    void applyChangedControls();
    void applyEnable();
    void publishOutputs();

    std::unique_ptr<OrvaneEffect> effect;
    float* audio[4] = {};
    const float* controls[kNumParams] = {};
    float applied[kNumParams];
    float* meters[3] = {};
    float* latency = nullptr;
    const float* enable = nullptr;
    // The host's switch starts "enabled": only a change from there reaches Bypass, so a session's
    // own Bypass setting is not undone by a host that leaves the switch alone.
    float appliedEnable = 1.0f;
    std::unique_ptr<Lv2InlineDisplay> inlineDisplay;
    // 0 until the first activation, as a VST 2.4 host sees it before the first resume.
    float reportedLatency = 0.0f;
    LV2_URID stateKey = 0, chunkType = 0;
};
