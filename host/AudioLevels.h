#pragma once

#include <cstddef>
#include <vector>

// Running RMS and peak level per channel of interleaved audio, in dB relative to full scale
// (a sample value of 1.0 is 0 dBFS; silence is minus infinity).
namespace ofchost
{

class AudioLevels
{
  public:
    explicit AudioLevels(int channels);

    void add(const double* interleaved, std::size_t frames);

    int channels() const { return static_cast<int>(peaks.size()); }
    double rmsDb(int channel) const;
    double peakDb(int channel) const;

  private:
    std::vector<double> sumsOfSquares;
    std::vector<double> peaks;
    std::size_t frameCount = 0;
};

} // namespace ofchost
