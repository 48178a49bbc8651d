// ofc-host compare: how far two renders are apart, channel by channel. Builds for different
// systems and processors agree only to within the rounding of their C libraries, so renders are
// compared with a tolerance, not bit for bit.

#include "AudioFile.h"
#include "CommandLine.h"
#include "HostCommand.h"
#include "OutputFile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
using namespace ofchost;

constexpr const char* kUsage =
    "usage: ofc-host compare A.wav B.wav [--tolerance T]\n"
    "Prints the largest absolute difference per channel.\n"
    "Exit status: 0 within T (default 0), 1 a difference beyond T or files that differ in\n"
    "channels, rate or length, 2 usage error or a file that cannot be read.\n";

struct Differences
{
    std::vector<double> perChannel;
    std::int64_t frames = 0;
    bool nanMismatch = false; // NaN in one file where the other has a number
};

bool compareFiles(AudioFileReader& a, AudioFileReader& b, Differences& result, std::string& error)
{
    const int channels = a.format().channels;
    result.perChannel.assign(static_cast<std::size_t>(channels), 0.0);
    constexpr sf_count_t kBlock = 4096;
    std::vector<double> blockA(kBlock * channels), blockB(kBlock * channels);
    for (;;)
    {
        const sf_count_t na = a.read(blockA.data(), kBlock);
        const sf_count_t nb = b.read(blockB.data(), kBlock);
        if (na != nb)
        {
            error = "the files differ in length (after " + std::to_string(result.frames + na) +
                    " and " + std::to_string(result.frames + nb) + " frames)";
            return false;
        }
        if (na == 0) return true;
        for (sf_count_t i = 0; i < na * channels; ++i)
        {
            const double x = blockA[i], y = blockB[i];
            if (std::isnan(x) || std::isnan(y))
            {
                result.nanMismatch = result.nanMismatch || std::isnan(x) != std::isnan(y);
                continue;
            }
            // Equal infinities are no difference; unequal ones an infinite one.
            const double d = x == y ? 0.0 : std::fabs(x - y);
            double& worst = result.perChannel[static_cast<std::size_t>(i % channels)];
            worst = std::max(worst, d);
        }
        result.frames += na;
    }
}

int runCompare(int argc, char** argv)
{
    CommandLine line;
    std::string error;
    double tolerance = 0.0;
    const bool parsed = parseCommandLine(argc, argv, {{"--tolerance", true}}, line, error);
    if (parsed && !line.help && line.positional.size() != 2) error = "expected A.wav and B.wav";
    if (!error.empty())
    {
        std::fprintf(stderr, "ofc-host compare: %s\n%s", error.c_str(), kUsage);
        return kExitUsage;
    }
    if (line.help)
    {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    for (const auto& option : line.options)
        if (!parseNumberOption(option, 0.0, 1e9, "sample units", tolerance, error))
        {
            std::fprintf(stderr, "ofc-host compare: %s\n%s", error.c_str(), kUsage);
            return kExitUsage;
        }
    const std::vector<std::string>& files = line.positional;
    AudioFileReader a, b;
    if (!a.open(files[0], error) || !b.open(files[1], error))
    {
        std::fprintf(stderr, "ofc-host compare: %s\n", error.c_str());
        return 2;
    }
    if (a.format().channels != b.format().channels ||
        a.format().sampleRate != b.format().sampleRate)
    {
        std::fprintf(stderr, "ofc-host compare: %d channels at %d Hz against %d at %d Hz\n",
                     a.format().channels, a.format().sampleRate, b.format().channels,
                     b.format().sampleRate);
        return 1;
    }
    Differences differences;
    if (!compareFiles(a, b, differences, error))
    {
        std::fprintf(stderr, "ofc-host compare: %s\n", error.c_str());
        return 1;
    }
    bool within = !differences.nanMismatch;
    std::printf("%lld frames compared\n", static_cast<long long>(differences.frames));
    for (std::size_t c = 0; c < differences.perChannel.size(); ++c)
    {
        const double d = differences.perChannel[c];
        const bool ok = d <= tolerance;
        within = within && ok;
        std::printf("channel %zu: max |difference| %.3e%s\n", c + 1, d, ok ? "" : "  (too large)");
    }
    if (differences.nanMismatch) std::printf("NaN in one file where the other has a number\n");
    std::printf("%s tolerance %.1e\n", within ? "within" : "OUTSIDE", tolerance);
    return within ? 0 : 1;
}

} // namespace

OFC_HOST_COMMAND(compare, "compare A.wav B.wav [--tolerance T]",
                 "largest difference per channel between two audio files", runCompare);
