#pragma once

#include "AudioEffect.h"

// Adds the extended dispatcher opcodes (25 and up): identity strings, can-do texts, pin
// properties, program names by index, editor keys and knob mode, and the edit gestures that
// the editor reports to the host.
class AudioEffectX : public AudioEffect
{
  public:
    AudioEffectX(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
        : AudioEffect(audioMaster, numPrograms, numParams)
    {
    }

    VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                         float opt) override;

    // Every pointer argument below is non-null when the dispatcher calls.
    virtual VstInt32 processEvents(VstEvents*) { return 0; }
    virtual bool canParameterBeAutomated(VstInt32) { return true; }
    virtual bool getProgramNameIndexed(VstInt32 /*category*/, VstInt32, char*) { return false; }
    virtual bool getInputProperties(VstInt32, VstPinProperties*) { return false; }
    virtual bool getOutputProperties(VstInt32, VstPinProperties*) { return false; }
    virtual VstPlugCategory getPlugCategory() { return kPlugCategUnknown; }
    virtual bool setBypass(bool) { return false; }
    virtual bool getEffectName(char*) { return false; }
    virtual bool getVendorString(char*) { return false; }
    virtual bool getProductString(char*) { return false; }
    virtual VstInt32 getVendorVersion() { return 0; }
    virtual VstInt32 canDo(const char*) { return 0; }
    virtual VstInt32 getGetTailSize() { return 0; }
    virtual VstInt32 getVstVersion() { return kVstVersion; }
    virtual VstInt32 getCurrentMidiProgram() { return -1; }

    // Asks the host to resize the editor's window (device pixels); false if it would not.
    bool sizeWindow(VstInt32 width, VstInt32 height);
    // Gestures on a parameter, reported to the host; false without a host callback.
    bool beginEdit(VstInt32 index);
    bool endEdit(VstInt32 index);

  private:
    VstIntPtr dispatchEditorKey(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt);
};
