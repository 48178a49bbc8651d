#pragma once

#include "PluginModule.h"
#include "RenderSetup.h"

#include <cstdint>
#include <string>
#include <vector>

// A picture of a plug-in's editor without a display: the plug-in draws its window off-screen
// through its snapshot export (OrvaneEditorSnapshot), while this host drives it as a live host
// would: program and parameters first, then, if asked, audio block by block with an editor
// idle call after every block and the editor's clock moved by each block's duration.
namespace ofchost
{

struct SnapshotRequest
{
    std::string pluginPath;
    std::string pngPath;
    std::string program; // empty: the plug-in's initial program
    std::vector<ParameterSetting> settings;
    std::string feedPath;        // an audio file, "demo" for the built-in demo, empty for none
    double feedSeconds = -1.0;   // stop feeding after this much audio; negative: all of it
    double sampleRate = 44100.0; // when nothing is fed (a fed file brings its own rate)
    VstInt32 blockSize = 512;
    // Device pixels per editor pixel, told to the plug-in as hosts do (0: not told).
    double scale = 0.0;
    // Without audio the window is shown as it looks this long after opening: the meters have
    // had their first refresh.
    unsigned settleMs = 1000;
    bool help = false; // --help was given: nothing else was read
};

struct SnapshotReport
{
    int width = 0;
    int height = 0;
    std::int64_t framesFed = 0;
    double feedRate = 0.0;
    unsigned idleCalls = 0;
    std::uint64_t editorMs = 0; // how far the editor's clock was moved
    bool interrupted = false;   // the feed was stopped by Ctrl-C or a termination request
};

extern const char* const kSnapshotUsage;

bool takeSnapshot(const SnapshotRequest& request, SnapshotReport& report, std::string& error);

// PLUGIN.so OUT.png and the options of kSnapshotUsage, in the syntax of CommandLine.h; false
// with a message for a usage error.
bool parseSnapshotArguments(int argc, char** argv, SnapshotRequest& request, std::string& error);

} // namespace ofchost
