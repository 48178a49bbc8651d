#pragma once

#include "AEffEditor.h"
#include "VstTemplate.h"

#include <memory>
#include <vector>

// A stand-in editor for the core's tests; like a real editor it attaches itself to its effect.
class FakeEditor : public AEffEditor
{
  public:
    struct Echo
    {
        VstInt32 index;
        float value;
        float effectValue; // what the effect's getParameter answered at that moment
    };

    // Counts its destruction in *destroyed, when given.
    explicit FakeEditor(AudioEffect* effect, int* destroyed = nullptr);
    ~FakeEditor() override;

    bool getRect(ERect** rect) override;
    bool open(void* parentWindow) override;
    void idle() override { ++idleCalls; }
    bool onKeyDown(VstKeyCode& key) override;
    bool onKeyUp(VstKeyCode& key) override;
    bool setKnobMode(VstInt32 mode) override;
    void setParameter(VstInt32 index, float value) override;

    std::vector<Echo> echoes;
    ERect rect{0, 0, 270, 690};
    int idleCalls = 0;
    VstKeyCode lastKey{};
    VstInt32 knobMode = -1;

  private:
    int* destroyed;
};

// The effect with its own engine and no editor.
std::unique_ptr<VstTemplate> makeEffect(audioMasterCallback host = nullptr);

// The effect with a FakeEditor, which *editor names afterwards.
std::unique_ptr<VstTemplate> makeEffectWithFakeEditor(FakeEditor** editor,
                                                      audioMasterCallback host = nullptr,
                                                      int* destroyed = nullptr);
