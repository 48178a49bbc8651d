#include "RenderOptions.h"

#include "AudioFile.h"
#include "CommandLine.h"

namespace ofchost
{

const char* const kRenderUsage =
    "usage: ofc-host render PLUGIN.so IN OUT [options]\n"
    "       ofc-host render PLUGIN.so --demo OUT [--rate HZ] [--write-input PATH] [options]\n"
    "  --demo                render the built-in demo signal instead of an input file\n"
    "  --rate HZ             sample rate of the demo (default 44100)\n"
    "  --write-input PATH    also write the demo input to PATH\n"
    "  --program N|NAME      select a program by number or by name\n"
    "  --set Name=value      set a parameter by name to a normalised value (repeatable;\n"
    "                        the last one for a parameter wins)\n"
    "  --double              process 64-bit samples if the plug-in can\n"
    "  --block N             frames per processing call (default 512)\n"
    "  --compensate-latency  align the output with the input by the reported latency\n"
    "  --output-format F     sample format of OUT: int16, int24, int32, float or double\n"
    "                        (default: the input's, as far as OUT's container holds it)\n"
    "OUT's extension chooses its container: .wav .aif .aiff .flac .caf .w64 .ogg .opus .mp3.\n"
    "Exit status: 0 done, 1 failed (OUT untouched), 2 usage error, 3 the plug-in produced\n"
    "NaN or infinite samples (written as silence), 130/143 interrupted (OUT untouched).\n";

namespace
{

const std::vector<KnownOption> kOptions = {
    {"--demo", false},        {"--rate", true},
    {"--write-input", true},  {"--program", true},
    {"--set", true},          {"--double", false},
    {"--block", true},        {"--compensate-latency", false},
    {"--output-format", true}};

bool parseOutputFormat(const ParsedOption& option, int& subtype, std::string& error)
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
        if (option.value == format.name)
        {
            subtype = format.subtype;
            return true;
        }
    error = "--output-format must be int16, int24, int32, float or double, got " + option.value;
    return false;
}

bool applyOption(const ParsedOption& option, RenderOptions& options, std::string& error)
{
    const std::string& name = option.name;
    if (name == "--demo")
        options.demoRequested = true;
    else if (name == "--double")
        options.request.doublePrecision = true;
    else if (name == "--compensate-latency")
        options.request.compensateLatency = true;
    else if (name == "--program")
        options.program = option.value;
    else if (name == "--write-input")
        options.demoInputPath = option.value;
    else if (name == "--set")
    {
        ParameterSetting setting;
        if (!parseParameterSetting(option.value, setting, error))
        {
            error = "--set " + error;
            return false;
        }
        addSetting(options.settings, setting);
    }
    else if (name == "--block")
        return parseCountOption(option, 1, kMaxBlockSize, "frames", options.request.blockSize,
                                error);
    else if (name == "--rate")
        return parseCountOption(option, kMinSampleRate, kMaxSampleRate, "Hz", options.demoRate,
                                error);
    else
        return parseOutputFormat(option, options.outputSampleFormat, error);
    if ((name == "--program" || name == "--write-input") && option.value.empty())
    {
        error = name + " needs a value";
        return false;
    }
    return true;
}

bool checkDemoOptions(const CommandLine& line, RenderOptions& options, std::string& error)
{
    const std::size_t expected = options.demo() ? 2 : 3;
    if (line.positional.size() == expected) return true;
    if (options.demo())
        error = "--demo renders the built-in signal: give PLUGIN.so and OUT, no input file";
    else if (line.positional.size() == 2)
        error = "only one file named (" + line.positional[1] +
                "): give PLUGIN.so IN OUT, or PLUGIN.so --demo OUT to render the built-in demo";
    else
        error = "expected PLUGIN.so, IN and OUT";
    return false;
}

} // namespace

bool parseRenderOptions(int argc, char** argv, RenderOptions& options, std::string& error)
{
    CommandLine line;
    if (!parseCommandLine(argc, argv, kOptions, line, error)) return false;
    options.help = line.help;
    if (line.help) return true;
    bool demoOnly = false;
    for (const auto& option : line.options)
    {
        if (!applyOption(option, options, error)) return false;
        demoOnly = demoOnly || option.name == "--rate" || option.name == "--write-input";
    }
    if (!checkDemoOptions(line, options, error)) return false;
    if (demoOnly && !options.demo())
    {
        error = "--rate and --write-input apply to --demo only; a file renders at its own rate";
        return false;
    }
    options.pluginPath = line.positional.front();
    options.outputPath = line.positional.back();
    if (!options.demo()) options.inputPath = line.positional[1];
    for (const std::string* out : {&options.outputPath, &options.demoInputPath})
        if (*out == "-")
        {
            error = "cannot write audio to standard output ('-'), which carries the report: "
                    "name a file";
            return false;
        }
        else if (!out->empty() && outputFormatFor(*out, 0, 44100, 2) == 0)
        {
            error = *out + ": no audio container is known by that extension; use one of " +
                    kOutputExtensions;
            return false;
        }
    return true;
}

} // namespace ofchost
