#pragma once

#include "Lv2Ports.h"

#include <cstdint>
#include <memory>

class VstTemplate;

// The effect behind LV2 ports. The same VstTemplate and engine as the VST 2.4 plug-in, driven
// the way a VST 2.4 host drives it, so both formats give the same samples. An LV2 host sets a
// parameter by writing its port; the effect is told of a port only when its value changes, in
// parameter order, so a change still runs the effect's whole parameter procedure once.
class Lv2Compressor
{
  public:
    // Null for a rate the effect cannot run at, or when an allocation fails.
    static std::unique_ptr<Lv2Compressor> create(double sampleRate);
    ~Lv2Compressor();

    void connect(std::uint32_t port, void* data);
    void activate();
    void deactivate();
    void run(std::uint32_t frames);

  private:
    explicit Lv2Compressor(std::unique_ptr<VstTemplate> effect);
    void applyChangedControls();
    void publishOutputs();

    std::unique_ptr<VstTemplate> effect;
    float* audio[4] = {};
    const float* controls[kNumParams] = {};
    float applied[kNumParams];
    float* meters[3] = {};
    float* latency = nullptr;
};
