#pragma once

#include "PluginModule.h"
#include "RenderSetup.h"

#include <string>
#include <vector>

// Times a plug-in's processReplacing as a host drives it: loaded from its library, opened at a
// rate, put into a program and settings, resumed, then fed one fixed stereo signal in blocks,
// several passes over the whole signal on this one thread.
namespace ofcbench
{

// The demo signal at the rate, repeated to the length of a pass. Only one period is held, so
// the memory needed does not grow with the length asked for.
struct BenchSignal
{
    double sampleRate = 0.0;
    std::size_t frames = 0;         // one pass
    std::vector<float> left, right; // one period
};

BenchSignal makeBenchSignal(double sampleRate, double seconds);

struct BenchSetup
{
    std::string program; // empty: the plug-in's current program
    std::vector<ofchost::ParameterSetting> settings;
    int blockSize = 512;
    int passes = 7; // after one warm-up pass
};

struct BenchResult
{
    std::string pluginName;
    std::string programName; // empty if the plug-in has no programs
    double bestNsPerFrame = 0.0;
    double medianNsPerFrame = 0.0;
    bool outputFinite = true; // the last block of every pass held only finite samples
};

// False with a message if the plug-in cannot be set up or processed.
bool runBenchmark(const ofchost::PluginModule& module, const BenchSetup& setup,
                  const BenchSignal& signal, BenchResult& result, std::string& error);

// Seconds of audio processed per second of processing.
inline double realtimeFactor(double nsPerFrame, double sampleRate)
{
    return nsPerFrame > 0.0 ? 1e9 / (nsPerFrame * sampleRate) : 0.0;
}

} // namespace ofcbench
