#pragma once

#include "VstInterface.h"

class AEffEditor;
class AudioEffectX;
class VstTemplate;

// The effect as the VST 2.4 plug-in ships it: its engine, the effect around it, then its editor.
// Throws what the allocations throw; the entry point turns that into "no effect".
VstTemplate* createPlugin(audioMasterCallback audioMaster);

// The plug-in's editor for a VST 2.4 effect, reaching it through the effect's own operations;
// null if it could not be made. The effect attaches and owns it.
AEffEditor* makeEditor(AudioEffectX* effect);
