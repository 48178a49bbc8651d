#pragma once

#include "VstInterface.h"

#include <vector>

// The host side of the callback: what a simple, well-behaved host answers, plus a log of the
// calls a plug-in makes to report parameter changes (automation and edit gestures).
namespace ofchost
{

struct HostCall
{
    AEffect* effect;
    VstInt32 opcode; // audioMasterAutomate, audioMasterBeginEdit or audioMasterEndEdit
    VstInt32 index;
    float value; // automation only
};

struct HostSettings
{
    VstIntPtr versionAnswer = 2400;
    double sampleRate = 44100.0;
    VstInt32 blockSize = 512;
};

// Answers audioMasterVersion, the rate and block size, vendor and product; records automation
// and edit gestures; answers 0 to everything else (no time info, no can-do).
VstIntPtr VSTCALLBACK hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                   VstIntPtr value, void* ptr, float opt);

// Process-wide; change before creating instances.
HostSettings& hostSettings();

std::vector<HostCall> recordedCalls();
void clearRecordedCalls();

} // namespace ofchost
