#pragma once

#include "VstInterface.h"

class AudioEffect;

// The editor as the effect and the host see it. The virtual operations keep the interface's
// order (destructor, getEffect, getRect, open, close, isOpen, idle, onKeyDown, onKeyUp,
// onWheel, setKnobMode); setParameter follows them as the hook through which the effect
// tells its editor of every parameter change. A concrete editor attaches itself to its
// effect in its constructor (AudioEffect::setEditor); the effect deletes it.
class AEffEditor
{
  public:
    explicit AEffEditor(AudioEffect* effect = nullptr) : effect(effect) {}
    virtual ~AEffEditor() = default;
    AEffEditor(const AEffEditor&) = delete;
    AEffEditor& operator=(const AEffEditor&) = delete;

    virtual AudioEffect* getEffect() { return effect; }
    // rect is never null when the effect calls this.
    virtual bool getRect(ERect** rect)
    {
        *rect = nullptr;
        return false;
    }
    virtual bool open(void* parentWindow)
    {
        systemWindow = parentWindow;
        return false;
    }
    virtual void close() { systemWindow = nullptr; }
    virtual bool isOpen() { return systemWindow != nullptr; }
    virtual void idle() {}
    virtual bool onKeyDown(VstKeyCode&) { return false; }
    virtual bool onKeyUp(VstKeyCode&) { return false; }
    virtual bool onWheel(float) { return false; }
    virtual bool setKnobMode(VstInt32) { return false; }
    // The host tells the editor how many device pixels to draw per logical pixel; true when
    // the editor takes it.
    virtual bool setScaleFactor(float) { return false; }

    // Called by the effect after every parameter change, interlocks and program loads included.
    virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}

  protected:
    AudioEffect* effect = nullptr;
    void* systemWindow = nullptr;
};
