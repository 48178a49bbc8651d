#include "BenchOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <unistd.h>

#ifndef OFC_BUILT_PLUGIN
#define OFC_BUILT_PLUGIN "OrvaneFeedbackCompressor.so"
#endif

namespace ofcbench
{

const char* const kBenchUsage =
    "usage: ofc-bench [PLUGIN.so [--program N|NAME ...] [--set Name=value ...]]\n"
    "                 [--rate HZ ...] [--seconds S] [--passes N] [--block N]\n"
    "Without PLUGIN.so: this build's plug-in in programs 0 and 4, and the LSP stereo\n"
    "compressor in feed-back mode if it is installed; rates 44100 and 96000 by default.\n";

namespace
{
const char* const kPeerPlugin = "/usr/lib/vst/lsp-plugins/compressor-stereo.so";

bool parseNumber(const std::string& text, double low, double high, double& value)
{
    errno = 0;
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (text.empty() || errno != 0 || !end || *end != '\0' || !std::isfinite(parsed) ||
        parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

bool parseCount(const std::string& text, int low, int high, int& value)
{
    double parsed = 0.0;
    if (!parseNumber(text, low, high, parsed) || parsed != std::floor(parsed)) return false;
    value = static_cast<int>(parsed);
    return true;
}

void addDefaultCases(BenchOptions& options)
{
    options.cases.push_back({OFC_BUILT_PLUGIN, {"0", "4"}, {}});
    if (access(kPeerPlugin, R_OK) == 0) options.cases.push_back({kPeerPlugin, {}, {{"sct", 1.0f}}});
}

bool applyOption(const std::string& name, const std::string& value, BenchCase& bench,
                 BenchOptions& options, std::string& error)
{
    bool ok = true;
    if (name == "--program")
        bench.programs.push_back(value);
    else if (name == "--set")
    {
        ofchost::ParameterSetting setting;
        ok = ofchost::parseParameterSetting(value, setting, error);
        bench.settings.push_back(setting);
        return ok;
    }
    else if (name == "--rate")
    {
        double rate = 0.0;
        ok = parseNumber(value, 8000.0, 384000.0, rate);
        options.rates.push_back(rate);
    }
    else if (name == "--seconds")
        ok = parseNumber(value, 0.1, 600.0, options.seconds);
    else if (name == "--passes")
        ok = parseCount(value, 1, 1000, options.passes);
    else if (name == "--block")
        ok = parseCount(value, 1, 65536, options.blockSize);
    else
    {
        error = "unknown option " + name;
        return false;
    }
    if (!ok) error = "bad value for " + name + ": " + value;
    return ok;
}

} // namespace

bool parseBenchOptions(int argc, char** argv, BenchOptions& options, std::string& error)
{
    BenchCase given;
    for (int i = 0; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h")
        {
            options.help = true;
            return true;
        }
        if (arg.empty() || arg[0] != '-')
        {
            if (!given.path.empty())
            {
                error = "one plug-in at a time";
                return false;
            }
            given.path = arg;
            continue;
        }
        if (i + 1 >= argc)
        {
            error = arg + " needs a value";
            return false;
        }
        if (!applyOption(arg, argv[++i], given, options, error)) return false;
    }
    if (given.path.empty() && (!given.programs.empty() || !given.settings.empty()))
    {
        error = "--program and --set need a plug-in";
        return false;
    }
    if (given.path.empty())
        addDefaultCases(options);
    else
        options.cases.push_back(given);
    if (options.rates.empty()) options.rates = {44100.0, 96000.0};
    return true;
}

} // namespace ofcbench
