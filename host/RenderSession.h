#pragma once

#include "AudioFile.h"
#include "AudioLevels.h"
#include "PluginInstance.h"

#include <cstdint>
#include <string>
#include <vector>

// One pass of an audio file through a plug-in, block by block, as a host renders offline.
// The plug-in must already be open at the file's rate and block size with its program and
// parameters set; the session resumes it, streams the file through it and suspends it again.
namespace ofchost
{

struct RenderRequest
{
    bool doublePrecision = false; // used only if the plug-in can process doubles
    VstInt32 blockSize = 512;
    bool compensateLatency = false;
    bool showProgress = true; // and only when stderr is a terminal
    bool stopOnInterruption = true;
};

struct RenderReport
{
    std::int64_t frames = 0; // read from the input, and so written to the output
    VstInt32 latency = 0;    // initialDelay after resume
    bool compensated = false;
    bool usedDouble = false;
    double seconds = 0.0; // wall-clock time of the pass
    AudioLevels inputLevels{0};
    AudioLevels outputLevels{0};
    std::vector<std::string> warnings;
    bool interrupted = false;   // stopped early by Ctrl-C or a termination request
    std::int64_t nonFinite = 0; // NaN or infinite output samples, written as 0
    std::int64_t firstNonFiniteFrame = -1;
    std::int64_t overFullScale = 0; // output samples beyond -1..1
    double outputPeak = 0.0;        // largest finite output magnitude
};

// Plug-in input k takes file channel k; a mono file feeds every input; inputs beyond the
// file's channels get silence and file channels beyond the inputs are not used.
int fileChannelForInput(int input, int fileChannels);

// Largest channel count accepted from a plug-in; more is taken for a broken record.
constexpr VstInt32 kMaxPluginChannels = 64;

// Reads up to `frames` frames from the source into planar inputs (as fileChannelForInput maps
// them), through `scratch`, which never grows beyond a bounded size however many channels the
// source has and however long the block. Adds what it read to `levels` if given; answers the
// frames read, fewer only at the end.
template <typename Sample>
std::int64_t readPlanar(AudioSource& source, std::vector<double>& scratch, Sample* const* inputs,
                        int inputCount, std::int64_t frames, AudioLevels* levels);

class RenderSession
{
  public:
    RenderSession(const PluginInstance& plugin, AudioSource& reader, AudioFileWriter& writer,
                  const RenderRequest& request);

    bool run(RenderReport& report, std::string& error);

  private:
    template <typename Sample> bool stream(RenderReport& report, std::string& error);

    const PluginInstance& plugin;
    AudioSource& reader;
    AudioFileWriter& writer;
    RenderRequest request;
};

} // namespace ofchost
