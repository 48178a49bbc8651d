#include "RenderOptions.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace ofchost
{

const char* const kRenderUsage =
    "usage: ofc-host render PLUGIN.so [IN.wav|aiff|flac] OUT.wav [options]\n"
    "  --program N|NAME      select a program by number or by name\n"
    "  --set Name=value      set a parameter by name to a normalised value (repeatable)\n"
    "  --double              process 64-bit samples if the plug-in can\n"
    "  --block N             frames per processing call (default 512)\n"
    "  --compensate-latency  align the output with the input by the reported latency\n"
    "  --rate HZ             sample rate of the demo (default 44100)\n"
    "  --write-input PATH    where the demo input is written (default OUT-input.wav)\n"
    "  --output-format F     sample format of OUT: int16, int24, int32, float or double\n"
    "                        (default: the input's, as far as OUT's container holds it)\n"
    "Without IN the built-in demo signal is rendered.\n";

namespace
{

bool parseInteger(const std::string& text, long low, long high, int& value)
{
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || !end || *end != '\0' || parsed < low || parsed > high) return false;
    value = static_cast<int>(parsed);
    return true;
}

// Splits "--name=value" and "--name value"; answers false when the value is missing.
bool optionValue(int argc, char** argv, int& i, const std::string& arg, std::string& value)
{
    const auto equals = arg.find('=');
    if (equals != std::string::npos)
    {
        value = arg.substr(equals + 1);
        return true;
    }
    if (i + 1 >= argc) return false;
    value = argv[++i];
    return true;
}

bool fail(std::string& error, const std::string& message)
{
    error = message;
    return false;
}

bool applyValueOption(const std::string& name, const std::string& value, RenderOptions& options,
                      bool& rateGiven, bool& inputPathGiven, std::string& error)
{
    if (name == "--program")
    {
        options.program = value;
        return !value.empty() || fail(error, "--program needs a number or a name");
    }
    if (name == "--set")
    {
        ParameterSetting setting;
        if (!parseParameterSetting(value, setting, error)) return false;
        options.settings.push_back(setting);
        return true;
    }
    if (name == "--block")
    {
        if (!parseInteger(value, 1, kMaxBlockSize, options.request.blockSize))
            return fail(error,
                        "--block takes a frame count from 1 to " + std::to_string(kMaxBlockSize));
        return true;
    }
    if (name == "--rate")
    {
        rateGiven = true;
        if (!parseInteger(value, kMinDemoRate, kMaxDemoRate, options.demoRate))
            return fail(error, "--rate takes a whole number of Hz from " +
                                   std::to_string(kMinDemoRate) + " to " +
                                   std::to_string(kMaxDemoRate));
        return true;
    }
    if (name == "--output-format")
    {
        static const struct
        {
            const char* name;
            int subtype;
        } formats[] = {{"int16", SF_FORMAT_PCM_16},
                       {"int24", SF_FORMAT_PCM_24},
                       {"int32", SF_FORMAT_PCM_32},
                       {"float", SF_FORMAT_FLOAT},
                       {"double", SF_FORMAT_DOUBLE}};
        for (const auto& format : formats)
            if (value == format.name)
            {
                options.outputSampleFormat = format.subtype;
                return true;
            }
        return fail(error, "--output-format takes int16, int24, int32, float or double");
    }
    // --write-input
    inputPathGiven = true;
    options.demoInputPath = value;
    return !value.empty() || fail(error, "--write-input needs a path");
}

bool isValueOption(const std::string& name)
{
    return name == "--program" || name == "--set" || name == "--block" || name == "--rate" ||
           name == "--write-input" || name == "--output-format";
}

} // namespace

std::string demoInputPathFor(const std::string& outputPath)
{
    const auto slash = outputPath.find_last_of("/\\");
    const auto dot = outputPath.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) ||
        dot == (slash == std::string::npos ? 0 : slash + 1))
        return outputPath + "-input.wav";
    return outputPath.substr(0, dot) + "-input" + outputPath.substr(dot);
}

bool parseRenderOptions(int argc, char** argv, RenderOptions& options, std::string& error)
{
    std::vector<std::string> positional;
    bool rateGiven = false, inputPathGiven = false;
    for (int i = 0; i < argc; ++i)
    {
        const std::string arg = argv[i];
        const std::string name = arg.substr(0, arg.find('='));
        if (arg == "--double")
            options.request.doublePrecision = true;
        else if (arg == "--compensate-latency")
            options.request.compensateLatency = true;
        else if (isValueOption(name))
        {
            std::string value;
            if (!optionValue(argc, argv, i, arg, value))
            {
                error = name + " needs a value";
                return false;
            }
            if (!applyValueOption(name, value, options, rateGiven, inputPathGiven, error))
                return false;
        }
        else if (arg.size() > 1 && arg[0] == '-')
        {
            error = "unknown option " + arg;
            return false;
        }
        else
            positional.push_back(arg);
    }
    if (positional.size() < 2 || positional.size() > 3)
    {
        error = "expected PLUGIN.so, an optional input file and an output file";
        return false;
    }
    options.pluginPath = positional[0];
    options.outputPath = positional.back();
    if (positional.size() == 3) options.inputPath = positional[1];
    if (!options.demo() && (rateGiven || inputPathGiven))
    {
        error = "--rate and --write-input apply to the demo only; a file renders at its own rate";
        return false;
    }
    if (options.demo() && !inputPathGiven)
        options.demoInputPath = demoInputPathFor(options.outputPath);
    return true;
}

} // namespace ofchost
