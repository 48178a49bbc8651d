#include "FakeEditor.h"

#include "AudioEffectX.h"
#include "CompressorEngine.h"

FakeEditor::FakeEditor(AudioEffect* effect, int* destroyed)
    : AEffEditor(effect), destroyed(destroyed)
{
    effect->setEditor(this);
}

FakeEditor::~FakeEditor()
{
    if (destroyed) ++*destroyed;
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

std::unique_ptr<VstTemplate> makeEffect(audioMasterCallback host)
{
    return std::make_unique<VstTemplate>(host, std::make_unique<CompressorEngine>());
}

std::unique_ptr<VstTemplate> makeEffectWithFakeEditor(FakeEditor** editor, audioMasterCallback host,
                                                      int* destroyed)
{
    auto make = [editor, destroyed](AudioEffectX* effect) -> AEffEditor*
    { return *editor = new FakeEditor(effect, destroyed); };
    return std::make_unique<VstTemplate>(host, std::make_unique<CompressorEngine>(), make);
}
