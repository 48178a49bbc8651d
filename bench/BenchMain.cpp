// ofc-bench: per-frame cost and realtime factor of VST 2.4 plug-ins, loaded as a host loads
// them and timed on the same material, so that our plug-in and its peers compare fairly.
//
//   ofc-bench                      our plug-in (programs 0 and 4) and, if installed, the LSP
//                                  compressor (stereo, feed-back mode), each at 44100 and 96000 Hz
//   ofc-bench PLUGIN.so [--program N|NAME ...] [--set Name=value ...]
//   common options: --rate HZ ... --seconds S --passes N --block N
//
// Last, whatever plug-ins were timed: what a parameter change costs our engine's audio thread.

#include "BenchOptions.h"
#include "CommandLine.h"
#include "CreationTime.h"
#include "DesignCost.h"
#include "FeedbackLoopEncoding.h"
#include "HalfBandKernels.h"
#include "InstanceMemory.h"
#include "OutputFile.h"
#include "PluginBenchmark.h"
#include "VectorFeatures.h"
#include "platform/Platform.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace
{
using namespace ofcbench;

std::string cpuModel()
{
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line))
        if (line.rfind("model name", 0) == 0)
        {
            const auto colon = line.find(':');
            return colon == std::string::npos ? line : line.substr(colon + 2);
        }
    return "unknown processor";
}

std::string settingsText(const BenchCase& bench)
{
    std::string text;
    for (const auto& s : bench.settings)
    {
        char value[32];
        std::snprintf(value, sizeof value, "%g", static_cast<double>(s.value));
        text += (text.empty() ? "" : " ") + s.name + "=" + value;
    }
    return text;
}

void printHeader(const BenchOptions& options)
{
    std::printf("ofc-bench: %s\n", cpuModel().c_str());
    std::printf("vector features: %s; our half-band kernel: %s\n", vectorfeatures::names(),
                halfband::best().name);
    std::printf("our feedback loop: %s\n", feedbackloop::chosen());
    std::printf("material: the demo signal repeated to %.1f s, stereo, 32-bit processReplacing in "
                "blocks of %d, one thread, best and median of %d passes after one warm-up pass, "
                "the best of %d round(s) of all cases in turn\n",
                options.seconds, options.blockSize, options.passes, options.rounds);
}

struct Row
{
    std::string label;
    double rate = 0.0;
    BenchResult result;
    bool measured = false; // in at least one round
};

void printRow(const Row& row)
{
    const BenchResult& r = row.result;
    std::printf("%-28.28s %-28.28s %6.0f  %10.1f %10.1f  %9.1f %9.1f%s\n", r.pluginName.c_str(),
                row.label.c_str(), row.rate, r.bestNsPerFrame, r.medianNsPerFrame,
                realtimeFactor(r.bestNsPerFrame, row.rate),
                realtimeFactor(r.medianNsPerFrame, row.rate),
                r.outputFinite ? "" : "  (non-finite output!)");
}

// Keeps, for every case, the round with the best time; a non-finite output in any round shows.
void keepBest(Row& kept, const Row& round)
{
    if (!kept.measured)
    {
        kept = round;
        return;
    }
    const bool finite = kept.result.outputFinite && round.result.outputFinite;
    if (round.result.bestNsPerFrame < kept.result.bestNsPerFrame) kept.result = round.result;
    kept.result.outputFinite = finite;
}

// Every rate and program of one plug-in, one round, into rows `at` on: a case that fails in
// one round keeps what the other rounds measured. Answers false if any measurement failed.
bool benchPlugin(const BenchCase& bench, const BenchOptions& options, bool firstRound,
                 std::vector<Row>& rows, std::size_t& at)
{
    const std::vector<std::string> programs =
        bench.programs.empty() ? std::vector<std::string>{""} : bench.programs;
    const std::size_t first = at;
    at += options.rates.size() * programs.size();
    if (rows.size() < at) rows.resize(at);
    ofchost::PluginModule module;
    if (!module.load(bench.path))
    {
        std::fprintf(stderr, "ofc-bench: %s\n", module.error().c_str());
        return false;
    }
    // Measured first, in a heap that no benchmark has grown and freed yet.
    if (firstRound)
    {
        printInstanceMemory(module, bench.path);
        printCreationTime(module, bench.path);
    }
    bool ok = true;
    std::size_t row = first;
    for (double rate : options.rates)
    {
        const BenchSignal signal = makeBenchSignal(rate, options.seconds);
        for (const auto& program : programs)
        {
            Row& kept = rows[row++];
            BenchSetup setup{program, bench.settings, options.blockSize, options.passes};
            BenchResult result;
            std::string error;
            if (!runBenchmark(module, setup, signal, result, error))
            {
                std::fprintf(stderr, "ofc-bench: %s: %s\n", bench.path.c_str(), error.c_str());
                ok = false;
                continue;
            }
            std::string label = result.programName;
            const std::string settings = settingsText(bench);
            if (!settings.empty()) label += (label.empty() ? "" : ", ") + settings;
            keepBest(kept, {label.empty() ? "-" : label, rate, result, true});
        }
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    BenchOptions options;
    std::string error;
    if (!parseBenchOptions(argc - 1, argv + 1, options, error))
    {
        std::fprintf(stderr, "ofc-bench: %s\n%s", error.c_str(), kBenchUsage);
        return ofchost::kExitUsage;
    }
    if (options.help)
    {
        std::fputs(kBenchUsage, stdout);
        return ofchost::reportWriteErrors(ofchost::kExitOk, "ofc-bench");
    }
    // Set before any plug-in is loaded: our plug-in reads it once, when its first engine is made.
    if (!options.kernel.empty())
        ofchost::platform::setEnvironment(halfband::kKernelVariable, options.kernel);
    if (!options.loop.empty())
        ofchost::platform::setEnvironment(feedbackloop::kVariable, options.loop);
    printHeader(options);
    bool ok = true;
    std::vector<Row> rows;
    for (int round = 0; round < options.rounds; ++round)
    {
        std::size_t at = 0;
        for (const auto& bench : options.cases)
            ok = benchPlugin(bench, options, round == 0, rows, at) && ok;
    }
    std::printf("\n%-28s %-28s %6s  %10s %10s  %9s %9s\n", "plug-in", "program / settings", "rate",
                "best ns/fr", "median", "best RTF", "median");
    for (const Row& row : rows)
        if (row.measured) printRow(row);
    printDesignCost();
    return ofchost::reportWriteErrors(ok ? ofchost::kExitOk : ofchost::kExitFailed, "ofc-bench");
}
