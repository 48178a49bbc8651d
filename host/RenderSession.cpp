#include "RenderSession.h"

#include "Platform.h"
#include "RenderProgress.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace ofchost
{
namespace
{
constexpr VstIntPtr kProcessPrecision32 = 0;
constexpr VstIntPtr kProcessPrecision64 = 1;

// Latencies beyond a minute are taken for a broken report rather than compensated.
constexpr double kMaxCompensatedSeconds = 60.0;

// The plug-in's channel buffers for one block, planar, in the plug-in's sample type. Pointer
// arrays always have at least one entry so that even a plug-in without inputs gets a valid array.
template <typename Sample> class PluginBlock
{
  public:
    PluginBlock(int inputs, int outputs, int frames)
        : input(static_cast<std::size_t>(std::max(inputs, 1)),
                std::vector<Sample>(static_cast<std::size_t>(frames))),
          output(static_cast<std::size_t>(std::max(outputs, 1)),
                 std::vector<Sample>(static_cast<std::size_t>(frames))),
          inputCount(inputs), outputCount(outputs)
    {
        for (auto& channel : input)
            inputPointers.push_back(channel.data());
        for (auto& channel : output)
            outputPointers.push_back(channel.data());
    }

    Sample* const* inputs() const { return inputPointers.data(); }
    int inputChannels() const { return inputCount; }

    void silence(int frames)
    {
        for (int k = 0; k < inputCount; ++k)
            std::fill(inputPointers[static_cast<std::size_t>(k)],
                      inputPointers[static_cast<std::size_t>(k)] + frames, Sample(0));
    }

    void process(const PluginInstance& plugin, int frames)
    {
        for (auto& channel : output)
            std::fill(channel.begin(), channel.begin() + frames, Sample(0));
        run(plugin, frames);
    }

    // Frames first..last-1 of the outputs into interleaved (outputCount channels).
    void store(int first, int last, double* interleaved) const
    {
        for (int i = first; i < last; ++i)
            for (int c = 0; c < outputCount; ++c)
                interleaved[(i - first) * outputCount + c] =
                    output[static_cast<std::size_t>(c)][static_cast<std::size_t>(i)];
    }

  private:
    void run(const PluginInstance& plugin, int frames);

    std::vector<std::vector<Sample>> input, output;
    std::vector<Sample*> inputPointers, outputPointers;
    int inputCount, outputCount;
};

template <> void PluginBlock<double>::run(const PluginInstance& plugin, int frames)
{
    plugin.processDoubleReplacing(inputPointers.data(), outputPointers.data(), frames);
}

// Plug-ins without the replacing entry get the old accumulating one, onto the silenced outputs.
template <> void PluginBlock<float>::run(const PluginInstance& plugin, int frames)
{
    AEffect* effect = plugin.effect();
    if (plugin.canProcessFloat())
        plugin.processReplacing(inputPointers.data(), outputPointers.data(), frames);
    else if (effect->process)
        effect->process(effect, inputPointers.data(), outputPointers.data(), frames);
}

void noteChannelMismatch(int fileChannels, int inputs, std::vector<std::string>& warnings)
{
    const std::string counts = "the file has " + std::to_string(fileChannels) +
                               " channels and the plug-in " + std::to_string(inputs) + " inputs: ";
    if (fileChannels > 1 && inputs > 0 && fileChannels > inputs)
        warnings.push_back(counts + "channels after " + std::to_string(inputs) + " are not used");
    else if (fileChannels > 1 && fileChannels < inputs)
        warnings.push_back(counts + "inputs after " + std::to_string(fileChannels) +
                           " get silence");
}

// Output samples on their way to the file: what a file cannot hold honestly is counted, and
// NaN and infinities become silence rather than full-scale clicks in an integer file.
void inspectOutput(double* interleaved, std::size_t samples, int channels, std::int64_t firstFrame,
                   RenderReport& report)
{
    for (std::size_t i = 0; i < samples; ++i)
    {
        double& x = interleaved[i];
        if (!std::isfinite(x))
        {
            if (report.nonFinite++ == 0)
                report.firstNonFiniteFrame = firstFrame + static_cast<std::int64_t>(i) / channels;
            x = 0.0;
            continue;
        }
        const double magnitude = std::fabs(x);
        if (magnitude > 1.0) ++report.overFullScale;
        report.outputPeak = std::max(report.outputPeak, magnitude);
    }
}

constexpr std::size_t kScratchSamples = 1 << 16;

} // namespace

template <typename Sample>
std::int64_t readPlanar(AudioSource& source, std::vector<double>& scratch, Sample* const* inputs,
                        int inputCount, std::int64_t frames, AudioLevels* levels)
{
    const int channels = source.format().channels;
    const std::int64_t chunk =
        std::max<std::int64_t>(1, static_cast<std::int64_t>(kScratchSamples) / channels);
    scratch.resize(static_cast<std::size_t>(std::min(chunk, frames) * channels));
    std::int64_t done = 0;
    while (done < frames)
    {
        const sf_count_t n = source.read(scratch.data(), std::min(chunk, frames - done));
        if (n <= 0) break;
        if (levels) levels->add(scratch.data(), static_cast<std::size_t>(n));
        for (int k = 0; k < inputCount; ++k)
        {
            const int from = fileChannelForInput(k, channels);
            Sample* in = inputs[k] + done;
            for (sf_count_t i = 0; i < n; ++i)
                in[i] = from < 0 ? Sample(0) : static_cast<Sample>(scratch[i * channels + from]);
        }
        done += n;
    }
    return done;
}

template std::int64_t readPlanar<float>(AudioSource&, std::vector<double>&, float* const*, int,
                                        std::int64_t, AudioLevels*);
template std::int64_t readPlanar<double>(AudioSource&, std::vector<double>&, double* const*, int,
                                         std::int64_t, AudioLevels*);

int fileChannelForInput(int input, int fileChannels)
{
    if (fileChannels == 1) return 0;
    return input < fileChannels ? input : -1;
}

RenderSession::RenderSession(const PluginInstance& plugin, AudioSource& reader,
                             AudioFileWriter& writer, const RenderRequest& request)
    : plugin(plugin), reader(reader), writer(writer), request(request)
{
}

bool RenderSession::run(RenderReport& report, std::string& error)
{
    const AEffect* effect = plugin.effect();
    if (effect->numInputs < 0 || effect->numInputs > kMaxPluginChannels ||
        effect->numOutputs <= 0 || effect->numOutputs > kMaxPluginChannels)
    {
        error = "the plug-in reports " + std::to_string(effect->numInputs) + " inputs and " +
                std::to_string(effect->numOutputs) + " outputs; cannot render with that";
        return false;
    }
    if (request.blockSize <= 0)
    {
        error = "the block size must be positive";
        return false;
    }
    report.usedDouble = request.doublePrecision && plugin.canProcessDouble();
    if (request.doublePrecision && !report.usedDouble)
        report.warnings.push_back(
            (effect->flags & effFlagsCanDoubleReplacing)
                ? "the plug-in claims 64-bit processing but gives no function for it; rendering "
                  "with 32-bit samples"
                : "the plug-in cannot process 64-bit samples; rendering with 32-bit samples");
    if (!report.usedDouble && !plugin.canProcessFloat() && !effect->process)
    {
        error = "the plug-in offers no processing entry";
        return false;
    }
    noteChannelMismatch(reader.format().channels, effect->numInputs, report.warnings);
    report.inputLevels = AudioLevels(reader.format().channels);
    report.outputLevels = AudioLevels(effect->numOutputs);

    plugin.dispatch(effSetProcessPrecision, 0,
                    report.usedDouble ? kProcessPrecision64 : kProcessPrecision32);
    plugin.resume();
    plugin.dispatch(effStartProcess);
    const auto start = std::chrono::steady_clock::now();
    const bool ok =
        report.usedDouble ? stream<double>(report, error) : stream<float>(report, error);
    report.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    plugin.dispatch(effStopProcess);
    plugin.suspend();
    return ok;
}

template <typename Sample> bool RenderSession::stream(RenderReport& report, std::string& error)
{
    const AEffect* effect = plugin.effect();
    const int block = request.blockSize;
    const int outputs = effect->numOutputs;
    const double rate = reader.format().sampleRate;

    report.latency = effect->initialDelay;
    std::int64_t skip = 0;
    if (request.compensateLatency)
    {
        if (report.latency < 0 || report.latency > kMaxCompensatedSeconds * rate)
            report.warnings.push_back("the plug-in reports a latency of " +
                                      std::to_string(report.latency) + " frames; not compensated");
        else
        {
            skip = report.latency;
            report.compensated = true;
        }
    }
    // Silence fed after the end so that the last input frames come out of the plug-in.
    std::int64_t tail = skip;

    PluginBlock<Sample> buffers(effect->numInputs, outputs, block);
    std::vector<double> scratch;
    std::vector<double> toFile(static_cast<std::size_t>(block) * outputs);
    RenderProgress progress(reader.format().frames, rate,
                            request.showProgress && stderrIsTerminal(), stderr);

    std::int64_t written = 0;
    for (;;)
    {
        if (request.stopOnInterruption && platform::interruption())
        {
            report.interrupted = true;
            return true;
        }
        int frames =
            static_cast<int>(readPlanar(reader, scratch, buffers.inputs(), buffers.inputChannels(),
                                        block, &report.inputLevels));
        if (frames > 0)
            report.frames += frames;
        else if (tail > 0)
        {
            frames = static_cast<int>(std::min<std::int64_t>(tail, block));
            tail -= frames;
            buffers.silence(frames);
        }
        else
            break;

        buffers.process(plugin, frames);
        const int dropped = static_cast<int>(std::min<std::int64_t>(skip, frames));
        skip -= dropped;
        buffers.store(dropped, frames, toFile.data());
        const auto kept = static_cast<std::size_t>(frames - dropped);
        // The levels show what the plug-in produced, NaN included; the file gets it cleaned.
        report.outputLevels.add(toFile.data(), kept);
        inspectOutput(toFile.data(), kept * outputs, outputs, written, report);
        if (!writer.write(toFile.data(), static_cast<sf_count_t>(kept), error)) return false;
        written += static_cast<std::int64_t>(kept);
        progress.update(report.frames);
    }
    return true;
}

} // namespace ofchost
