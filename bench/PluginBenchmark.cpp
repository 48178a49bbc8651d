#include "PluginBenchmark.h"

#include "DemoSignal.h"
#include "PluginInstance.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace ofcbench
{
namespace
{
using ofchost::PluginInstance;

// One period of the signal followed by as much of its repetition as a block can reach past the
// end, so that every block starting inside the period reads contiguous frames.
std::vector<float> periodWithWrap(const std::vector<float>& period, int block)
{
    std::vector<float> extended(period.size() + static_cast<std::size_t>(block));
    for (std::size_t i = 0; i < extended.size(); ++i)
        extended[i] = period[i % period.size()];
    return extended;
}

// The plug-in's channel buffers: inputs point into a private copy of the signal (advanced per
// block; a plug-in that writes into its inputs cannot change the next run's material), outputs
// are one block long. The two signal channels alternate over however many inputs there are.
class BenchBuffers
{
  public:
    BenchBuffers(const BenchSignal& signal, int inputs, int outputs, int block)
        : period(signal.left.size()), left(periodWithWrap(signal.left, block)),
          right(periodWithWrap(signal.right, block)), inputCount(inputs),
          outputs(static_cast<std::size_t>(std::max(outputs, 1)),
                  std::vector<float>(static_cast<std::size_t>(block))),
          inputPointers(static_cast<std::size_t>(std::max(inputs, 1)), nullptr)
    {
        for (auto& channel : this->outputs)
            outputPointers.push_back(channel.data());
    }

    float** inputsAt(std::size_t frame)
    {
        for (int k = 0; k < inputCount; ++k)
            inputPointers[static_cast<std::size_t>(k)] =
                (k % 2 == 0 ? left : right).data() + frame % period;
        return inputPointers.data();
    }
    float** outputBuffers() { return outputPointers.data(); }

    bool outputFinite(int frames) const
    {
        for (const auto& channel : outputs)
            for (int i = 0; i < frames; ++i)
                if (!std::isfinite(channel[static_cast<std::size_t>(i)])) return false;
        return true;
    }

  private:
    std::size_t period;
    std::vector<float> left, right;
    int inputCount;
    std::vector<std::vector<float>> outputs;
    std::vector<float*> inputPointers;
    std::vector<float*> outputPointers;
};

// One pass over the whole signal; answers nanoseconds per frame.
double timePass(AEffect* effect, BenchBuffers& buffers, std::size_t frames, int block, bool& finite)
{
    const auto start = std::chrono::steady_clock::now();
    int last = 0;
    for (std::size_t done = 0; done < frames; done += static_cast<std::size_t>(last))
    {
        last =
            static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(block), frames - done));
        effect->processReplacing(effect, buffers.inputsAt(done), buffers.outputBuffers(), last);
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    finite = finite && buffers.outputFinite(last);
    return std::chrono::duration<double, std::nano>(elapsed).count() / static_cast<double>(frames);
}

std::unique_ptr<PluginInstance> prepare(const ofchost::PluginModule& module,
                                        const BenchSetup& setup, double rate, std::string& error)
{
    ofchost::hostSettings().sampleRate = rate;
    ofchost::hostSettings().blockSize = setup.blockSize;
    auto plugin = PluginInstance::create(module, error);
    if (!plugin) return nullptr;
    AEffect* effect = plugin->effect();
    if (!plugin->canProcessFloat())
    {
        error = "the plug-in has no processReplacing";
        return nullptr;
    }
    if (effect->numOutputs <= 0 || effect->numOutputs > 64 || effect->numInputs < 0 ||
        effect->numInputs > 64)
    {
        error = "the plug-in reports an unusable channel count";
        return nullptr;
    }
    plugin->open(rate, setup.blockSize);
    if (!setup.program.empty() && !ofchost::selectProgram(*plugin, setup.program, error))
        return nullptr;
    if (!ofchost::applySettings(*plugin, setup.settings, error)) return nullptr;
    return plugin;
}

} // namespace

BenchSignal makeBenchSignal(double sampleRate, double seconds)
{
    const ofchost::DemoSignal demo = ofchost::makeDemoSignal(sampleRate);
    BenchSignal signal;
    signal.sampleRate = sampleRate;
    signal.frames = static_cast<std::size_t>(std::lround(seconds * sampleRate));
    signal.left = demo.left;
    signal.right = demo.right;
    return signal;
}

bool runBenchmark(const ofchost::PluginModule& module, const BenchSetup& setup,
                  const BenchSignal& signal, BenchResult& result, std::string& error)
{
    auto plugin = prepare(module, setup, signal.sampleRate, error);
    if (!plugin) return false;
    result.pluginName = plugin->effectName();
    if (plugin->programCount() > 0)
        result.programName =
            std::to_string(plugin->dispatch(effGetProgram)) + " " + plugin->currentProgramName();

    AEffect* effect = plugin->effect();
    BenchBuffers buffers(signal, effect->numInputs, effect->numOutputs, setup.blockSize);
    plugin->dispatch(effSetProcessPrecision, 0, 0);
    plugin->resume();
    plugin->dispatch(effStartProcess);
    std::vector<double> passes;
    bool finite = true;
    for (int pass = 0; pass <= setup.passes; ++pass)
    {
        const double ns = timePass(effect, buffers, signal.frames, setup.blockSize, finite);
        if (pass > 0) passes.push_back(ns);
    }
    plugin->dispatch(effStopProcess);
    plugin->suspend();

    std::sort(passes.begin(), passes.end());
    result.bestNsPerFrame = passes.front();
    const std::size_t n = passes.size();
    result.medianNsPerFrame = n % 2 ? passes[n / 2] : 0.5 * (passes[n / 2 - 1] + passes[n / 2]);
    result.outputFinite = finite;
    return true;
}

} // namespace ofcbench
