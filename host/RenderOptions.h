#pragma once

#include "RenderSession.h"
#include "RenderSetup.h"

#include <string>
#include <vector>

// The command line of ofc-host render:
//   render PLUGIN.so IN OUT [options]
//   render PLUGIN.so --demo OUT [--rate HZ] [--write-input PATH] [options]
// Options may stand anywhere and may also be written --option=value (CommandLine.h).
namespace ofchost
{

struct RenderOptions
{
    std::string pluginPath;
    std::string inputPath; // empty for the demo
    std::string outputPath;
    bool demoRequested = false;
    std::string demoInputPath; // where the demo input is written; empty: nowhere
    std::string program;       // empty: keep the plug-in's current program
    std::vector<ParameterSetting> settings;
    RenderRequest request;
    int demoRate = 44100;
    int outputSampleFormat = 0; // a libsndfile subtype; 0: the input's where the output can hold it
    bool help = false;

    bool demo() const { return demoRequested; }
};

constexpr int kMaxBlockSize = 65536;

extern const char* const kRenderUsage;

// Checks the command line alone, before any file is touched: false with a message for a usage
// error (exit status 2).
bool parseRenderOptions(int argc, char** argv, RenderOptions& options, std::string& error);

} // namespace ofchost
