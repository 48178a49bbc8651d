#include "RenderSetup.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <strings.h>

namespace ofchost
{
namespace
{

bool parseWholeInteger(const std::string& text, long& value)
{
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return errno == 0 && end && *end == '\0';
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string programList(const PluginInstance& plugin)
{
    const VstInt32 count = plugin.programCount();
    if (count <= 0) return "the plug-in has no programs";
    std::string list = "programs:";
    for (VstInt32 p = 0; p < count; ++p)
        list += "\n  " + std::to_string(p) + "  " + plugin.programName(p);
    return list;
}

// Matches in two passes: exact names first, so that a case-insensitive match cannot shadow an
// exact one. Answers the index, -1 for none, -2 for several.
template <typename NameOf>
VstInt32 matchName(VstInt32 count, const std::string& wanted, NameOf nameOf)
{
    for (int pass = 0; pass < 2; ++pass)
    {
        VstInt32 found = -1;
        for (VstInt32 i = 0; i < count; ++i)
        {
            const std::string name = trimmed(nameOf(i));
            const bool same =
                pass == 0 ? name == wanted : strcasecmp(name.c_str(), wanted.c_str()) == 0;
            if (!same) continue;
            if (found >= 0) return -2;
            found = i;
        }
        if (found >= 0) return found;
    }
    return -1;
}

} // namespace

bool checkSampleRate(double rate, const std::string& what, std::string& error)
{
    if (rate >= kMinSampleRate && rate <= kMaxSampleRate) return true;
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", rate);
    error = what + ": the sample rate must be from " + std::to_string(kMinSampleRate) + " to " +
            std::to_string(kMaxSampleRate) + " Hz, got " + text;
    return false;
}

void addSetting(std::vector<ParameterSetting>& settings, const ParameterSetting& setting)
{
    for (auto it = settings.begin(); it != settings.end(); ++it)
        if (strcasecmp(it->name.c_str(), setting.name.c_str()) == 0)
        {
            settings.erase(it);
            break;
        }
    settings.push_back(setting);
}

bool parseParameterSetting(const std::string& text, ParameterSetting& setting, std::string& error)
{
    const auto equals = text.rfind('=');
    if (equals == std::string::npos || equals == 0)
    {
        error = "'" + text + "' is not of the form Name=value";
        return false;
    }
    const std::string name = trimmed(text.substr(0, equals));
    const std::string valueText = trimmed(text.substr(equals + 1));
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(valueText.c_str(), &end);
    if (name.empty() || valueText.empty() || errno != 0 || !end || *end != '\0' ||
        !std::isfinite(value))
    {
        error = "'" + text + "': the value must be a number";
        return false;
    }
    if (value < 0.0 || value > 1.0)
    {
        error = "'" + text + "': parameter values are normalised, 0 to 1";
        return false;
    }
    setting.name = name;
    setting.value = static_cast<float>(value);
    return true;
}

VstInt32 findProgram(const PluginInstance& plugin, const std::string& choice, std::string& error)
{
    const VstInt32 count = plugin.programCount();
    long number = 0;
    if (parseWholeInteger(choice, number))
    {
        if (number >= 0 && number < count) return static_cast<VstInt32>(number);
        error = "no program " + choice + "; " + programList(plugin);
        return -1;
    }
    const VstInt32 index =
        matchName(count, choice, [&](VstInt32 p) { return plugin.programName(p); });
    if (index == -2)
        error = "several programs are called '" + choice + "'; choose one by number; " +
                programList(plugin);
    else if (index < 0)
        error = "no program is called '" + choice + "'; " + programList(plugin);
    return index < 0 ? -1 : index;
}

VstInt32 findParameter(const PluginInstance& plugin, const std::string& name, std::string& error)
{
    const VstInt32 count = plugin.parameterCount();
    const VstInt32 index =
        matchName(count, name, [&](VstInt32 i) { return plugin.parameterName(i); });
    if (index == -2)
        error = "several parameters are called '" + name + "'";
    else if (index < 0)
    {
        error = "the plug-in has no parameter called '" + name + "'; parameters:";
        for (VstInt32 i = 0; i < count; ++i)
            error += (i ? ", " : " ") + plugin.parameterName(i);
    }
    return index < 0 ? -1 : index;
}

bool selectProgram(const PluginInstance& plugin, const std::string& choice, std::string& error)
{
    const VstInt32 program = findProgram(plugin, choice, error);
    if (program < 0) return false;
    plugin.dispatch(effBeginSetProgram);
    plugin.dispatch(effSetProgram, 0, program);
    plugin.dispatch(effEndSetProgram);
    if (plugin.dispatch(effGetProgram) != program)
    {
        error = "the plug-in did not switch to program " + std::to_string(program);
        return false;
    }
    return true;
}

bool applySettings(const PluginInstance& plugin, const std::vector<ParameterSetting>& settings,
                   std::string& error)
{
    for (const auto& setting : settings)
    {
        const VstInt32 index = findParameter(plugin, setting.name, error);
        if (index < 0) return false;
        plugin.setParameter(index, setting.value);
    }
    return true;
}

} // namespace ofchost
