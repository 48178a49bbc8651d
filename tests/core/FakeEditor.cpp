#include "FakeEditor.h"

#include "AudioEffectX.h"
#include "EditorFactory.h"

bool FakeEditor::enabled = true;
FakeEditor* FakeEditor::last = nullptr;
int FakeEditor::destroyed = 0;

FakeEditor::FakeEditor(AudioEffect* effect) : AEffEditor(effect)
{
    effect->setEditor(this);
    last = this;
}

FakeEditor::~FakeEditor()
{
    ++destroyed;
    if (last == this) last = nullptr;
}

bool FakeEditor::getRect(ERect** r)
{
    *r = &rect;
    return true;
}

bool FakeEditor::open(void* parentWindow)
{
    AEffEditor::open(parentWindow);
    return true;
}

// Takes 'a' only, so both answers of the key opcodes can be seen.
bool FakeEditor::onKeyDown(VstKeyCode& key)
{
    lastKey = key;
    return key.character == 'a';
}

bool FakeEditor::onKeyUp(VstKeyCode& key)
{
    lastKey = key;
    return key.character == 'a';
}

bool FakeEditor::setKnobMode(VstInt32 mode)
{
    knobMode = mode;
    return true;
}

void FakeEditor::setParameter(VstInt32 index, float value)
{
    echoes.push_back({index, value, effect->getParameter(index)});
}

AEffEditor* createEditor(AudioEffectX* effect)
{
    return FakeEditor::enabled ? new FakeEditor(effect) : nullptr;
}
