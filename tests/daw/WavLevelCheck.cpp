// Checks an audio file exported by a DAW: its shape (channels, rate, length) and the level of
// every channel after a settling time, so a test can tell that real audio went through the
// plug-in and came out at the level its settings call for. With --compare-halves 1, the file holds
// two plug-ins' outputs side by side (channels 0..N/2-1, then N/2..N-1), which must be the same
// sample for sample. With --delay-halves N, the first half must be the second half N frames
// late, sample for sample (a plug-in's bypass delayed by its latency beside the dry signal).
//
// Usage: ofc_wav_level_check FILE --channels N --rate HZ --min-seconds S
//            [--skip-seconds S] [--expect-rms-db DB --tolerance-db DB] [--min-rms-db DB]
//            [--compare-halves 1 | --delay-halves N]
// Exits 0 when every check holds, 1 when one fails, 2 on a usage or read error.

#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{

struct Options
{
    std::string path;
    int channels = 2;
    int rate = 48000;
    double minSeconds = 1.0;
    double skipSeconds = 0.0;
    bool expectRms = false;
    double expectRmsDb = 0.0;
    double toleranceDb = 0.5;
    double minRmsDb = -60.0;
    bool compareHalves = false;
    sf_count_t delay = 0;
};

bool readNumber(const char* text, double& out)
{
    char* end = nullptr;
    out = std::strtod(text, &end);
    return end != text && *end == '\0' && std::isfinite(out);
}

bool parseOptions(int argc, char** argv, Options& o)
{
    if (argc < 2) return false;
    o.path = argv[1];
    for (int i = 2; i + 1 < argc; i += 2)
    {
        const std::string key = argv[i];
        double v = 0.0;
        if (!readNumber(argv[i + 1], v)) return false;
        if (key == "--channels")
            o.channels = static_cast<int>(v);
        else if (key == "--rate")
            o.rate = static_cast<int>(v);
        else if (key == "--min-seconds")
            o.minSeconds = v;
        else if (key == "--skip-seconds")
            o.skipSeconds = v;
        else if (key == "--expect-rms-db")
        {
            o.expectRms = true;
            o.expectRmsDb = v;
        }
        else if (key == "--tolerance-db")
            o.toleranceDb = v;
        else if (key == "--min-rms-db")
            o.minRmsDb = v;
        else if (key == "--compare-halves")
            o.compareHalves = v != 0.0;
        else if (key == "--delay-halves" && v >= 0.0 && v < 1e6)
        {
            o.compareHalves = true;
            o.delay = static_cast<sf_count_t>(v);
        }
        else
            return false;
    }
    return argc % 2 == 0;
}

double toDb(double linear)
{
    return linear > 0.0 ? 20.0 * std::log10(linear) : -400.0;
}

// Level of one channel from frame `first` on; counts a failure when it is silent or off target.
int checkChannel(const Options& o, const std::vector<float>& samples, int channels, int c,
                 sf_count_t first, sf_count_t frames)
{
    double sumSquares = 0.0, peak = 0.0;
    for (sf_count_t i = first; i < frames; ++i)
    {
        const double x = samples[static_cast<size_t>(i) * channels + c];
        sumSquares += x * x;
        peak = std::fmax(peak, std::fabs(x));
    }
    const double rmsDb = toDb(std::sqrt(sumSquares / static_cast<double>(frames - first)));
    std::printf("channel %d: rms %.3f dBFS, peak %.3f dBFS\n", c, rmsDb, toDb(peak));
    int failures = 0;
    if (!(rmsDb > o.minRmsDb))
    {
        std::printf("FAIL: channel %d is silent (rms not above %.1f dBFS)\n", c, o.minRmsDb);
        ++failures;
    }
    if (o.expectRms && !(std::fabs(rmsDb - o.expectRmsDb) <= o.toleranceDb))
    {
        std::printf("FAIL: channel %d rms %.3f dBFS, expected %.3f +- %.3f\n", c, rmsDb,
                    o.expectRmsDb, o.toleranceDb);
        ++failures;
    }
    return failures;
}

// The first frame from which channel c of the first half differs from its partner `delay`
// frames earlier, and how many differ and by how much at most; -1 when none differs.
struct HalvesDifference
{
    sf_count_t first = -1, differing = 0;
    double maxDifference = 0.0;
};
HalvesDifference differenceOfHalves(const std::vector<float>& samples, int channels, int c,
                                    sf_count_t frames, sf_count_t delay)
{
    const int half = channels / 2;
    HalvesDifference d;
    for (sf_count_t i = delay; i < frames; ++i)
    {
        const float a = samples[static_cast<size_t>(i) * channels + c];
        const float b = samples[static_cast<size_t>(i - delay) * channels + c + half];
        if (a == b) continue;
        if (d.first < 0) d.first = i;
        ++d.differing;
        const double difference = std::fabs(double(a) - b);
        d.maxDifference =
            std::isnan(difference) ? INFINITY : std::fmax(d.maxDifference, difference);
    }
    return d;
}

// Each channel of the first half against its partner in the second, `delay` frames earlier,
// over every frame; a failure names the delay that would have matched, if one up to 4096 does.
int compareHalves(const std::vector<float>& samples, int channels, sf_count_t frames,
                  sf_count_t delay)
{
    const int half = channels / 2;
    if (channels % 2 != 0 || half == 0)
    {
        std::printf("FAIL: %d channels cannot be compared in halves\n", channels);
        return 1;
    }
    int failures = 0;
    for (int c = 0; c < half; ++c)
    {
        const HalvesDifference d = differenceOfHalves(samples, channels, c, frames, delay);
        std::printf("channels %d and %d, %lld frames apart: %lld frames compared, %lld differ, "
                    "max difference %g\n",
                    c, c + half, static_cast<long long>(delay),
                    static_cast<long long>(frames - delay), static_cast<long long>(d.differing),
                    d.maxDifference);
        if (d.differing == 0) continue;
        std::printf("FAIL: channels %d and %d differ, first at frame %lld\n", c, c + half,
                    static_cast<long long>(d.first));
        ++failures;
        for (sf_count_t lag = 0; lag <= 4096 && lag < frames / 2; ++lag)
            if (differenceOfHalves(samples, channels, c, frames, lag).differing == 0)
            {
                std::printf("  they match %lld frames apart\n", static_cast<long long>(lag));
                break;
            }
    }
    return failures;
}

int checkFile(const Options& o)
{
    SF_INFO info;
    std::memset(&info, 0, sizeof info);
    SNDFILE* file = sf_open(o.path.c_str(), SFM_READ, &info);
    if (!file)
    {
        std::printf("cannot read %s: %s\n", o.path.c_str(), sf_strerror(nullptr));
        return 2;
    }
    std::vector<float> samples(static_cast<size_t>(info.frames) * info.channels);
    const sf_count_t frames = sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);

    const double seconds = static_cast<double>(frames) / info.samplerate;
    std::printf("%s: %d channels, %d Hz, %lld frames (%.3f s)\n", o.path.c_str(), info.channels,
                info.samplerate, static_cast<long long>(frames), seconds);
    int failures = 0;
    if (info.channels != o.channels || info.samplerate != o.rate || seconds < o.minSeconds)
    {
        std::printf("FAIL: expected %d channels, %d Hz, at least %.3f s\n", o.channels, o.rate,
                    o.minSeconds);
        ++failures;
    }
    const sf_count_t first = static_cast<sf_count_t>(o.skipSeconds * info.samplerate);
    if (first >= frames)
    {
        std::printf("FAIL: nothing left after skipping %.3f s\n", o.skipSeconds);
        return 1;
    }
    for (int c = 0; c < info.channels; ++c)
        failures += checkChannel(o, samples, info.channels, c, first, frames);
    if (o.compareHalves) failures += compareHalves(samples, info.channels, frames, o.delay);
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parseOptions(argc, argv, options))
    {
        std::fprintf(stderr,
                     "usage: %s FILE [--channels N] [--rate HZ] [--min-seconds S] "
                     "[--skip-seconds S] [--expect-rms-db DB] [--tolerance-db DB] "
                     "[--min-rms-db DB] [--compare-halves 1]\n",
                     argv[0]);
        return 2;
    }
    return checkFile(options);
}
