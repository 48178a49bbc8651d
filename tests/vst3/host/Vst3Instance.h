#pragma once

#include "Vst3Controller.h"
#include "Vst3Factory.h"

#include <memory>
#include <string>
#include <vector>

// A VST3 module loaded as a host loads it: the bundle's module for this system, its entry call,
// its factory. Unloading is left to the process's end, as the plug-ins' drawing libraries want.
class Vst3Module
{
  public:
    // A bundle folder (NAME.vst3) or a module file; null with `error` saying why.
    static std::unique_ptr<Vst3Module> load(const std::string& path, std::string& error);
    ~Vst3Module();

    vst3::IPluginFactory* factory() const { return pluginFactory; }
    // The first class of the audio-effect category, in compared byte order.
    bool findEffectClass(vst3::TUID cid, std::string& error) const;
    const std::string& modulePath() const { return path; }

  private:
    Vst3Module() = default;
    void* library = nullptr;
    vst3::IPluginFactory* pluginFactory = nullptr;
    std::string path;
};

// One instance of the module's effect, component and controller, driven as a host drives them.
class Vst3Instance
{
  public:
    static std::unique_ptr<Vst3Instance> create(const Vst3Module& module, std::string& error);
    ~Vst3Instance();
    Vst3Instance(const Vst3Instance&) = delete;
    Vst3Instance& operator=(const Vst3Instance&) = delete;

    vst3::IComponent* component = nullptr;
    vst3::IAudioProcessor* processor = nullptr;
    vst3::IEditController* controller = nullptr;
    vst3::IUnitInfo* units = nullptr;

    // Stereo buses, the processing set-up, then active and processing; false if refused.
    bool start(double sampleRate, vst3::int32 maxBlock, vst3::int32 sampleSize);
    void stop();

    // One block on the main buses; `changes` travel with it.
    bool process(float* const* inputs, float* const* outputs, vst3::int32 frames,
                 vst3::IParameterChanges* changes = nullptr,
                 vst3::IParameterChanges* reported = nullptr);
    bool process(double* const* inputs, double* const* outputs, vst3::int32 frames,
                 vst3::IParameterChanges* changes = nullptr,
                 vst3::IParameterChanges* reported = nullptr);

    std::vector<vst3::ParameterInfo> parameters() const;
    std::string text(vst3::ParamID id, double value) const;
    // The id of the parameter flagged as the program change, or -1.
    long programParameter() const;
    std::vector<std::string> programNames() const;

  private:
    Vst3Instance() = default;
    template <typename Sample>
    bool processBlock(Sample* const* inputs, Sample* const* outputs, vst3::int32 frames,
                      vst3::IParameterChanges* changes, vst3::IParameterChanges* reported);
    vst3::int32 sampleSize = vst3::kSample32;
    bool active = false;
};

// The name a parameter or program text field holds, as plain text.
std::string fieldText(const vst3::char16* field);
