#pragma once

#include "AudioEffectX.h"
#include "CompressorEngine.h"
#include "ParameterIds.h"
#include "Program.h"

#include <atomic>
#include <functional>
#include <memory>

class AEffEditor;
class StereoDelay;

// The Orvane Feedback Compressor effect: identity, parameters, programs and the block loop
// around the compressor engine.
class VstTemplate : public AudioEffectX
{
  public:
    // The effect reports, and delays a bypassed signal by, exactly the engine's latency.
    static constexpr VstInt32 kLatencyFrames = CompressorEngine::kLatency;
    static constexpr int kBypassDelayCapacity = 256;
    static constexpr double kMinSampleRate = 1000.0;
    static constexpr double kMaxSampleRate = 768000.0;
    static constexpr double kDirectPathRate = 70000.0;

    // Called once the effect is complete, so the editor sees its first program already loaded;
    // the editor it answers attaches itself to the effect. Null or an empty maker: no editor.
    using EditorMaker = std::function<AEffEditor*(AudioEffectX* effect)>;

    VstTemplate(audioMasterCallback audioMaster, std::unique_ptr<CompressorEngine> engine,
                const EditorMaker& makeEditor = nullptr);
    ~VstTemplate() override;

    // Lifecycle and audio (VstTemplateProcess.cpp).
    void suspend() override;
    void resume() override;
    void setSampleRate(float rate) override;
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) override;

    // Parameters (VstTemplateParameters.cpp).
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;

    // Programs (VstTemplatePrograms.cpp).
    void setProgram(VstInt32 program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;

    // Texts and identity (VstTemplate.cpp).
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    bool getInputProperties(VstInt32 index, VstPinProperties* properties) override;
    VstInt32 processEvents(VstEvents* events) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override;
    VstInt32 canDo(const char* text) override;
    VstPlugCategory getPlugCategory() override;

    virtual void fillFactoryPresets();

    // Read-back for tests and diagnostics.
    const CompressorEngine& getEngine() const { return *engine; }
    bool isBypassed() const { return bypass.load(std::memory_order_relaxed); }

  private:
    template <typename Sample>
    void processBlock(Sample** inputs, Sample** outputs, VstInt32 sampleFrames);
    void applyToEngine(VstInt32 index, float value);
    void applyInterlocks(VstInt32 index, float value);
    Program& currentProgram();

    Program programs[kNumPrograms];
    std::unique_ptr<CompressorEngine> engine;
    std::unique_ptr<StereoDelay> bypassDelay;
    std::atomic<bool> bypass{false};

    // Published meter values: written by the audio thread, read by the editor.
    std::atomic<double> meterConstantOne{1.0};
    std::atomic<double> meterGain{1.0};
    std::atomic<double> meterLevelSlow{-100.0};
    std::atomic<double> meterLevelFast{-100.0};
    std::atomic<float> processingActive{0.0f};
};
