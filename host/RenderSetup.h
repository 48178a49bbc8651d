#pragma once

#include "PluginInstance.h"

#include <string>
#include <vector>

// Putting a plug-in into the state a render asks for: a program chosen by number or by name,
// then parameters set by name to normalised values. Shared by ofc-host render and ofc-bench.
namespace ofchost
{

struct ParameterSetting
{
    std::string name;
    float value = 0.0f;
};

// The sample rates the host runs a plug-in at, whether they come from a file's header, the demo's
// --rate or the benchmark's: the range our plug-in accepts.
constexpr int kMinSampleRate = 1000;
constexpr int kMaxSampleRate = 768000;

// False with a message naming `what` (a file, an option) for a rate outside that range.
bool checkSampleRate(double rate, const std::string& what, std::string& error);

// "Name=value": the name may contain spaces ("Make Up Gain=0.6"); the value is a finite number
// in 0..1, the range of every VST parameter.
bool parseParameterSetting(const std::string& text, ParameterSetting& setting, std::string& error);

// Adds a setting; an earlier one for the same name (ignoring case) gives way, so the last
// --set for a parameter wins.
void addSetting(std::vector<ParameterSetting>& settings, const ParameterSetting& setting);

// The index of the program a text names: a number counts as a program number, anything else is
// matched against the program names, exactly first, then ignoring case. -1 and a message listing
// the programs if none matches.
VstInt32 findProgram(const PluginInstance& plugin, const std::string& choice, std::string& error);

// The index of the parameter with this name (exactly, else ignoring case); -1 and a message if
// no parameter or more than one has it.
VstInt32 findParameter(const PluginInstance& plugin, const std::string& name, std::string& error);

// Selects the program (as hosts do, between effBeginSetProgram and effEndSetProgram).
bool selectProgram(const PluginInstance& plugin, const std::string& choice, std::string& error);

// Applies the settings in order; stops at the first name that does not resolve.
bool applySettings(const PluginInstance& plugin, const std::vector<ParameterSetting>& settings,
                   std::string& error);

} // namespace ofchost
