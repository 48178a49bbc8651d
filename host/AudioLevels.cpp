#include "AudioLevels.h"

#include <cmath>
#include <limits>

namespace ofchost
{
namespace
{
double toDb(double amplitude)
{
    if (!(amplitude > 0.0)) return -std::numeric_limits<double>::infinity();
    return 20.0 * std::log10(amplitude);
}
} // namespace

AudioLevels::AudioLevels(int channels)
    : sumsOfSquares(static_cast<std::size_t>(channels > 0 ? channels : 0), 0.0),
      peaks(sumsOfSquares.size(), 0.0)
{
}

void AudioLevels::add(const double* interleaved, std::size_t frames)
{
    const std::size_t count = peaks.size();
    for (std::size_t i = 0; i < frames; ++i)
        for (std::size_t c = 0; c < count; ++c)
        {
            const double x = interleaved[i * count + c];
            sumsOfSquares[c] += x * x;
            // A NaN sample must show up in the report rather than vanish in the comparison;
            // once the peak is NaN no comparison replaces it.
            if (std::isnan(x))
                peaks[c] = x;
            else if (std::fabs(x) > peaks[c])
                peaks[c] = std::fabs(x);
        }
    frameCount += frames;
}

double AudioLevels::rmsDb(int channel) const
{
    const auto c = static_cast<std::size_t>(channel);
    if (frameCount == 0 || c >= peaks.size()) return -std::numeric_limits<double>::infinity();
    if (std::isnan(sumsOfSquares[c])) return sumsOfSquares[c];
    return toDb(std::sqrt(sumsOfSquares[c] / static_cast<double>(frameCount)));
}

double AudioLevels::peakDb(int channel) const
{
    const auto c = static_cast<std::size_t>(channel);
    if (c >= peaks.size()) return -std::numeric_limits<double>::infinity();
    if (std::isnan(peaks[c])) return peaks[c];
    return toDb(peaks[c]);
}

} // namespace ofchost
