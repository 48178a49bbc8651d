#pragma once

#include "VstInterface.h"

#include <atomic>
#include <cstddef>

class AEffEditor;

// The base of every effect: owns the AEffect record handed to the host, routes the record's
// entries to virtual operations and answers the basic dispatcher opcodes (below 25).
class AudioEffect
{
  public:
    AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
    // Deletes the editor, after the derived effect is gone.
    virtual ~AudioEffect();
    AudioEffect(const AudioEffect&) = delete;
    AudioEffect& operator=(const AudioEffect&) = delete;

    virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                 float opt);

    virtual void open() {}
    virtual void close() {}
    virtual void suspend() {}
    virtual void resume() {}
    virtual void setSampleRate(float rate) { sampleRate.store(rate, std::memory_order_relaxed); }
    virtual void setBlockSize(VstInt32 size) { blockSize = size; }

    virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
    virtual void processDoubleReplacing(double**, double**, VstInt32) {}

    virtual void setParameter(VstInt32, float) {}
    virtual float getParameter(VstInt32) { return 0.0f; }
    // Applies the value, then reports it to the host as automation.
    virtual void setParameterAutomated(VstInt32 index, float value);

    virtual VstInt32 getProgram() { return curProgram.load(std::memory_order_relaxed); }
    virtual void setProgram(VstInt32 program)
    {
        curProgram.store(program, std::memory_order_relaxed);
    }
    // The text operations are only called with non-null buffers.
    virtual void setProgramName(char*) {}
    virtual void getProgramName(char* name) { *name = '\0'; }
    virtual void getParameterLabel(VstInt32, char* label) { *label = '\0'; }
    virtual void getParameterDisplay(VstInt32, char* text) { *text = '\0'; }
    virtual void getParameterName(VstInt32, char* text) { *text = '\0'; }
    virtual VstInt32 getChunk(void**, bool) { return 0; }
    virtual VstInt32 setChunk(void*, VstInt32, bool) { return 0; }

    void setUniqueID(VstInt32 id) { cEffect.uniqueID = id; }
    void setNumInputs(VstInt32 inputs) { cEffect.numInputs = inputs; }
    void setNumOutputs(VstInt32 outputs) { cEffect.numOutputs = outputs; }
    void setInitialDelay(VstInt32 delay) { cEffect.initialDelay = delay; }
    void canProcessReplacing(bool state = true) { setFlag(effFlagsCanReplacing, state); }
    void canDoubleReplacing(bool state = true) { setFlag(effFlagsCanDoubleReplacing, state); }
    void programsAreChunks(bool state = true) { setFlag(effFlagsProgramChunks, state); }
    void noTail(bool state = true) { setFlag(effFlagsNoSoundInStop, state); }

    AEffect* getAeffect() { return &cEffect; }
    // Attaching an editor (non-null) also announces it to the host through the flags.
    void setEditor(AEffEditor* newEditor);
    AEffEditor* getEditor() const { return editor; }
    float getSampleRate() const { return sampleRate.load(std::memory_order_relaxed); }
    VstInt32 getBlockSize() const { return blockSize; }
    VstInt32 getNumPrograms() const { return numPrograms; }
    VstInt32 getNumParams() const { return numParams; }

    // The effect behind a record, if the record is one this library made; null for a foreign
    // plug-in's record or anything that is not a record of ours.
    static AudioEffect* ownEffect(AEffect* e);

    // Calls to the host; all answer 0 when the host gave no callback.
    VstInt32 getMasterVersion();
    void masterIdle();

  protected:
    VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f);
    void setFlag(VstInt32 flag, bool state);

    audioMasterCallback audioMaster;
    AEffEditor* editor = nullptr;
    // Written by the dispatcher, read by the processing thread.
    std::atomic<float> sampleRate{44100.0f};
    VstInt32 blockSize = 1024;
    VstInt32 numPrograms;
    VstInt32 numParams;
    std::atomic<VstInt32> curProgram{0};
    AEffect cEffect;

  private:
    static std::atomic<std::ptrdiff_t> recordOffset;
    static AudioEffect* fromRecord(AEffect* e);
    static VstIntPtr VSTCALLBACK dispatchEffectClass(AEffect* e, VstInt32 opcode, VstInt32 index,
                                                     VstIntPtr value, void* ptr, float opt);
    static void VSTCALLBACK setParameterClass(AEffect* e, VstInt32 index, float value);
    static float VSTCALLBACK getParameterClass(AEffect* e, VstInt32 index);
    static void VSTCALLBACK processClass(AEffect* e, float** inputs, float** outputs,
                                         VstInt32 sampleFrames);
    static void VSTCALLBACK processReplacingClass(AEffect* e, float** inputs, float** outputs,
                                                  VstInt32 sampleFrames);
    static void VSTCALLBACK processDoubleReplacingClass(AEffect* e, double** inputs,
                                                        double** outputs, VstInt32 sampleFrames);
};
