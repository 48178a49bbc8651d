#pragma once

#include "AudioFile.h"

#include <vector>

// The built-in demo: six seconds of stereo material that shows what a compressor does.
//   0 to 4 s  drums: a kick on beats 1 and 3 and a snare-like noise burst on 2 and 4 (120 BPM)
//   1 to 6 s  a sustained A minor seventh chord under them
//   4 to 6 s  the chord alone, its level sweeping up by 30 dB
// Every value follows from the sample index and the rate, so the signal is the same on every
// run. The whole is scaled so that its highest sample peaks at -1 dBFS.
namespace ofchost
{

struct DemoSignal
{
    double sampleRate = 0.0;
    std::vector<float> left;
    std::vector<float> right;
};

constexpr double kDemoSeconds = 6.0;
constexpr double kDemoPeak = 0.8912509381337456; // -1 dBFS

DemoSignal makeDemoSignal(double sampleRate);

// The demo as an audio source, read from memory: a demo render writes no file it was not asked
// to write. Its format is that of a stereo 32-bit float WAV file.
class DemoSource : public AudioSource
{
  public:
    explicit DemoSource(int sampleRate);
    const AudioFormat& format() const override { return info; }
    sf_count_t read(double* interleaved, sf_count_t frames) override;
    const DemoSignal& signal() const { return demo; }

  private:
    DemoSignal demo;
    AudioFormat info;
    sf_count_t position = 0;
};

} // namespace ofchost
