#pragma once

#include "VstInterface.h"

class VstTemplate;

// The effect as the VST 2.4 plug-in ships it: its engine, the effect around it, then its editor.
// Throws what the allocations throw; the entry point turns that into "no effect".
VstTemplate* createPlugin(audioMasterCallback audioMaster);
