#include "EditorFactory.h"

#include "VstTemplateGUI.h"

#include <new>

// The editor attaches itself to the effect in its constructor. Nothing may throw into the
// effect's constructor, so a failed allocation leaves the effect without an editor.
AEffEditor* createEditor(AudioEffectX* effect)
{
    if (!effect) return nullptr;
    return new (std::nothrow) VstTemplateGUI(effect);
}
