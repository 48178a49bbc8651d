#pragma once

#include "RenderSession.h"
#include "RenderSetup.h"

#include <string>
#include <vector>

// The command line of ofc-host render:
//   render PLUGIN.so [IN] OUT [--program N|NAME] [--set Name=value ...] [--double] [--block N]
//                             [--compensate-latency] [--rate HZ] [--write-input PATH]
//                             [--output-format int16|int24|int32|float|double]
// Options may stand anywhere and may also be written --option=value. Without IN the built-in
// demo is rendered; --rate and --write-input apply to the demo only.
namespace ofchost
{

struct RenderOptions
{
    std::string pluginPath;
    std::string inputPath; // empty: the demo
    std::string outputPath;
    std::string demoInputPath; // where the demo input goes; derived from OUT if not given
    std::string program;       // empty: keep the plug-in's current program
    std::vector<ParameterSetting> settings;
    RenderRequest request;
    int demoRate = 44100;
    int outputSampleFormat = 0; // a libsndfile subtype; 0: the input's where the output can hold it

    bool demo() const { return inputPath.empty(); }
};

constexpr int kMaxBlockSize = 65536;
constexpr int kMinDemoRate = 8000;
constexpr int kMaxDemoRate = 384000;

extern const char* const kRenderUsage;

bool parseRenderOptions(int argc, char** argv, RenderOptions& options, std::string& error);

// OUT with "-input" before its extension: out/demo.wav gives out/demo-input.wav.
std::string demoInputPathFor(const std::string& outputPath);

} // namespace ofchost
