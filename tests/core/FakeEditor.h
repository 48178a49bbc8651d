#pragma once

#include "AEffEditor.h"

#include <vector>

// A stand-in editor for the core's tests. The test program's createEditor makes one of these
// while FakeEditor::enabled is true; like a real editor it attaches itself to its effect.
class FakeEditor : public AEffEditor
{
  public:
    struct Echo
    {
        VstInt32 index;
        float value;
        float effectValue; // what the effect's getParameter answered at that moment
    };

    explicit FakeEditor(AudioEffect* effect);
    ~FakeEditor() override;

    bool getRect(ERect** rect) override;
    bool open(void* parentWindow) override;
    void idle() override { ++idleCalls; }
    bool onKeyDown(VstKeyCode& key) override;
    bool onKeyUp(VstKeyCode& key) override;
    bool setKnobMode(VstInt32 mode) override;
    void setParameter(VstInt32 index, float value) override;

    static bool enabled;     // createEditor makes an editor only while set
    static FakeEditor* last; // the most recently created one (null once deleted)
    static int destroyed;    // count of destructor runs

    std::vector<Echo> echoes;
    ERect rect{0, 0, 270, 690};
    int idleCalls = 0;
    VstKeyCode lastKey{};
    VstInt32 knobMode = -1;
};
