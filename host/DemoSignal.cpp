#include "DemoSignal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace ofchost
{
namespace
{
constexpr double kTwoPi = 6.283185307179586;
constexpr double kBeat = 0.5;     // seconds at 120 BPM
constexpr double kDrumsEnd = 4.0; // no hit starts after this
constexpr double kChordStart = 1.0;
constexpr double kSweepStart = 4.0;
constexpr double kFadeIn = 0.01;
constexpr double kFadeOut = 0.03;
// Amplitude of each chord partial before the whole is scaled to its peak: the chord sits a few
// dB under the drums at its steady level and passes them at the top of the sweep.
constexpr double kChordPartial = 0.09;

// Uniform in -1..1 from a linear congruential generator: cheap, portable and repeatable.
class NoiseSource
{
  public:
    explicit NoiseSource(std::uint32_t seed) : state(seed) {}
    double next()
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
    }

  private:
    std::uint32_t state;
};

// A falling sine sweep (110 Hz above 45 Hz, settling within tens of milliseconds) with a short
// click: the phase is the integral of the falling frequency, so the pitch drop is seamless.
double kick(double age, double click)
{
    const double settle = 0.025;
    const double phase = kTwoPi * (45.0 * age + 110.0 * settle * (1.0 - std::exp(-age / settle)));
    return 0.5 * std::exp(-age / 0.18) * std::sin(phase) + 0.08 * std::exp(-age / 0.002) * click;
}

// Bright noise (first difference of white noise) with a short 190 Hz body.
double snare(double age, double brightNoise)
{
    return 0.28 * std::exp(-age / 0.07) * brightNoise +
           0.12 * std::exp(-age / 0.04) * std::sin(kTwoPi * 190.0 * age);
}

// Sum over every hit so far, so each decay runs out naturally instead of being cut off.
double drums(double t, double click, double brightNoise)
{
    double sum = 0.0;
    for (int beat = 0; beat * kBeat < kDrumsEnd; ++beat)
    {
        const double age = t - beat * kBeat;
        if (age < 0.0) break;
        sum += (beat % 2 == 0) ? kick(age, click) : snare(age, brightNoise);
    }
    return sum;
}

// A minor seventh (A3 C4 E4 G4), each note with two overtones at 1/2 and 1/3; the right
// channel is tuned a few cents up for width. Peak at most 4 * (1 + 1/2 + 1/3) * partial.
double chord(double t, double detune, double partial)
{
    static const double kNotes[] = {220.0, 261.6256, 329.6276, 391.9954};
    double sum = 0.0;
    for (double f : kNotes)
        for (int h = 1; h <= 3; ++h)
            sum += std::sin(kTwoPi * f * detune * h * t) / h;
    return partial * sum;
}

// Level of the chord: steady from its entry, then a 30 dB rise (linear in dB) from 24 dB below
// that level to 6 dB above it, reached through a short dip so that nothing jumps.
double chordLevel(double t)
{
    if (t < kChordStart) return 0.0;
    double level = 1.0;
    if (t < kChordStart + kFadeIn)
        level = 0.5 - 0.5 * std::cos(kTwoPi * 0.5 * (t - kChordStart) / kFadeIn);
    if (t >= kSweepStart)
    {
        const double span = kDemoSeconds - kSweepStart;
        const double db = -24.0 + 30.0 * (t - kSweepStart) / span;
        const double dip = 0.1; // seconds over which the chord falls to the sweep's start
        const double sweep = std::pow(10.0, db / 20.0);
        const double blend = t - kSweepStart < dip ? (t - kSweepStart) / dip : 1.0;
        level = sweep + (1.0 - blend) * (1.0 - sweep) * (1.0 - blend);
    }
    const double toEnd = kDemoSeconds - t;
    if (toEnd < kFadeOut) level *= toEnd > 0.0 ? toEnd / kFadeOut : 0.0;
    return level;
}

} // namespace

DemoSignal makeDemoSignal(double sampleRate)
{
    const auto frames = static_cast<std::size_t>(std::lround(kDemoSeconds * sampleRate));
    std::vector<double> left(frames), right(frames);

    NoiseSource clickNoise(1), leftNoise(2), rightNoise(3);
    double previousLeft = 0.0, previousRight = 0.0;
    double peak = 0.0;
    for (std::size_t i = 0; i < frames; ++i)
    {
        const double t = static_cast<double>(i) / sampleRate;
        const double click = clickNoise.next();
        const double nl = leftNoise.next(), nr = rightNoise.next();
        const double brightLeft = 0.5 * (nl - previousLeft);
        const double brightRight = 0.5 * (nr - previousRight);
        previousLeft = nl;
        previousRight = nr;

        const double level = chordLevel(t) * kChordPartial;
        left[i] = drums(t, click, brightLeft) + chord(t, 1.0, level);
        right[i] = drums(t, click, brightRight) + chord(t, 1.0017, level);
        peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
    }

    DemoSignal demo;
    demo.sampleRate = sampleRate;
    demo.left.resize(frames);
    demo.right.resize(frames);
    const double scale = peak > 0.0 ? kDemoPeak / peak : 1.0;
    for (std::size_t i = 0; i < frames; ++i)
    {
        demo.left[i] = static_cast<float>(left[i] * scale);
        demo.right[i] = static_cast<float>(right[i] * scale);
    }
    return demo;
}

DemoSource::DemoSource(int sampleRate) : demo(makeDemoSignal(sampleRate))
{
    info.sampleRate = sampleRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    info.frames = static_cast<sf_count_t>(demo.left.size());
}

sf_count_t DemoSource::read(double* interleaved, sf_count_t frames)
{
    const sf_count_t n = std::max<sf_count_t>(0, std::min(frames, info.frames - position));
    for (sf_count_t i = 0; i < n; ++i)
    {
        interleaved[2 * i] = demo.left[static_cast<std::size_t>(position + i)];
        interleaved[2 * i + 1] = demo.right[static_cast<std::size_t>(position + i)];
    }
    position += n;
    return n;
}

} // namespace ofchost
