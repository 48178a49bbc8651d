#include "BenchOptions.h"

#include "CommandLine.h"
#include "FeedbackLoopEncoding.h"
#include "HalfBandKernels.h"

#include <unistd.h>

#ifndef OFC_BUILT_PLUGIN
#define OFC_BUILT_PLUGIN "OrvaneFeedbackCompressor.so"
#endif

namespace ofcbench
{

const char* const kBenchUsage =
    "usage: ofc-bench [PLUGIN.so [--program N|NAME ...] [--set Name=value ...]]\n"
    "                 [--rate HZ ...] [--seconds S] [--passes N] [--rounds N] [--block N]\n"
    "                 [--kernel scalar|sse2|avx2|avx2fma|avx512|avx512fma]\n"
    "                 [--loop sse2|avx|avx512]\n"
    "Without PLUGIN.so: this build's plug-in in programs 0 and 4, and the LSP stereo\n"
    "compressor in feed-back mode if it is installed; rates 44100 and 96000 by default.\n"
    "--set Name=value is repeatable; the last one for a parameter wins.\n"
    "Before timing, per plug-in: what one more instance costs in memory (ours also with its\n"
    "editor open, then painted) and in time to make (entry point, effOpen, effClose).\n"
    "--kernel runs our plug-in's half-band filter with that kernel (default: the widest\n"
    "this processor runs, with FMA where it has it); every kernel gives the same sound.\n"
    "--loop runs our plug-in's feedback loop in that encoding (default: the widest this\n"
    "processor runs); every encoding gives the same sound.\n"
    "--rounds N measures every case in turn N times and reports each case's best round,\n"
    "so that a slow spell of a shared machine does not fall on one case alone.\n"
    "Exit status: 0 done, 1 a plug-in could not be measured, 2 usage error.\n";

namespace
{
const char* const kPeerPlugin = "/usr/lib/vst/lsp-plugins/compressor-stereo.so";

std::string runnableKernels()
{
    std::string names;
    for (int k = 0; k < halfband::kernelCount(); ++k)
        if (halfband::kernelInfo(k).supported)
            names += (names.empty() ? "" : ", ") + std::string(halfband::kernelInfo(k).name);
    return names;
}

void addDefaultCases(BenchOptions& options)
{
    options.cases.push_back({OFC_BUILT_PLUGIN, {"0", "4"}, {}});
    if (access(kPeerPlugin, R_OK) == 0) options.cases.push_back({kPeerPlugin, {}, {{"sct", 1.0f}}});
}

bool applyOption(const ofchost::ParsedOption& option, BenchCase& bench, BenchOptions& options,
                 std::string& error)
{
    const std::string& name = option.name;
    if (name == "--program")
    {
        bench.programs.push_back(option.value);
        return true;
    }
    if (name == "--set")
    {
        ofchost::ParameterSetting setting;
        if (!ofchost::parseParameterSetting(option.value, setting, error))
        {
            error = "--set " + error;
            return false;
        }
        ofchost::addSetting(bench.settings, setting);
        return true;
    }
    if (name == "--rate")
    {
        int rate = 0;
        if (!ofchost::parseCountOption(option, ofchost::kMinSampleRate, ofchost::kMaxSampleRate,
                                       "Hz", rate, error))
            return false;
        options.rates.push_back(rate);
        return true;
    }
    if (name == "--seconds")
        return ofchost::parseNumberOption(option, 0.1, 600.0, "seconds", options.seconds, error);
    if (name == "--passes")
        return ofchost::parseCountOption(option, 1, 1000, "passes", options.passes, error);
    if (name == "--rounds")
        return ofchost::parseCountOption(option, 1, 100, "rounds", options.rounds, error);
    if (name == "--kernel")
    {
        if (halfband::findKernel(option.value.c_str()) < 0)
        {
            error = "--kernel must name a kernel this processor runs (" + runnableKernels() +
                    "), got " + option.value;
            return false;
        }
        options.kernel = option.value;
        return true;
    }
    if (name == "--loop")
    {
        if (!feedbackloop::runs(option.value.c_str()))
        {
            error = std::string("--loop must name an encoding this processor runs (") +
                    feedbackloop::namesRunHere() + "), got " + option.value;
            return false;
        }
        options.loop = option.value;
        return true;
    }
    return ofchost::parseCountOption(option, 1, 65536, "frames", options.blockSize, error);
}

} // namespace

bool parseBenchOptions(int argc, char** argv, BenchOptions& options, std::string& error)
{
    static const std::vector<ofchost::KnownOption> kOptions = {
        {"--program", true}, {"--set", true},    {"--rate", true},
        {"--seconds", true}, {"--passes", true}, {"--block", true},
        {"--kernel", true},  {"--rounds", true}, {"--loop", true}};
    ofchost::CommandLine line;
    if (!ofchost::parseCommandLine(argc, argv, kOptions, line, error)) return false;
    options.help = line.help;
    if (line.help) return true;
    if (line.positional.size() > 1)
    {
        error = "one plug-in at a time";
        return false;
    }
    BenchCase given;
    if (!line.positional.empty()) given.path = line.positional[0];
    for (const auto& option : line.options)
        if (!applyOption(option, given, options, error)) return false;
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
