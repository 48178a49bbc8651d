#include "EditorFactory.h"

// Stand-in until the editor lands: the effect runs without an editor.
AEffEditor* createEditor(AudioEffectX*) { return nullptr; }
