#pragma once

#include "RenderSetup.h"

#include <string>
#include <vector>

namespace ofcbench
{

// One plug-in to time, with the programs to time it in (empty: its current program) and the
// settings applied after the program.
struct BenchCase
{
    std::string path;
    std::vector<std::string> programs;
    std::vector<ofchost::ParameterSetting> settings;
};

struct BenchOptions
{
    std::vector<BenchCase> cases;
    std::vector<double> rates;
    double seconds = 20.0;
    int passes = 7;
    int rounds = 1; // every case measured in turn this many times; the best round counts
    int blockSize = 512;
    std::string kernel; // empty: the plug-in's own choice
    std::string loop;   // likewise
    bool help = false;
};

extern const char* const kBenchUsage;

// Without a plug-in on the command line: our plug-in from this build in programs 0 and 4, and
// the LSP compressor (stereo, switched to feed-back) when it is installed.
bool parseBenchOptions(int argc, char** argv, BenchOptions& options, std::string& error);

} // namespace ofcbench
