#pragma once

#include "AudioEffectX.h"
#include "OrvaneEffect.h"

#include <functional>
#include <memory>

class AEffEditor;

// The Orvane Feedback Compressor as a VST 2.4 effect: the dispatcher's identity, texts and
// programs, the AEffect record's latency and the editor hook, around the one effect every format
// adapts.
class VstTemplate : public AudioEffectX, private ParameterListener
{
  public:
    // The effect reports, and delays a bypassed signal by, exactly the engine's latency.
    static constexpr VstInt32 kLatencyFrames = OrvaneEffect::kLatencyFrames;

    // Called once the effect is complete, so the editor sees its first program already loaded;
    // the editor it answers is attached to the effect. Null or an empty maker: no editor.
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

    // Parameters and programs (VstTemplateParameters.cpp).
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    VstInt32 getProgram() override;
    void setProgram(VstInt32 program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
    virtual void fillFactoryPresets();

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

    // Read-back for tests and diagnostics.
    const CompressorEngine& getEngine() const { return effect->getEngine(); }
    bool isBypassed() const { return effect->isBypassed(); }

  private:
    void parameterChanged(std::int32_t index, float value) override;

    std::unique_ptr<OrvaneEffect> effect;
};
