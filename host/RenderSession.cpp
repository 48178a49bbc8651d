#include "RenderSession.h"

#include "RenderProgress.h"

#include <algorithm>
#include <chrono>

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

    // Frames 0..frames-1 from interleaved file frames (null: silence).
    void load(const double* interleaved, int fileChannels, int frames)
    {
        for (int k = 0; k < inputCount; ++k)
        {
            Sample* in = input[static_cast<std::size_t>(k)].data();
            const int source = interleaved ? fileChannelForInput(k, fileChannels) : -1;
            for (int i = 0; i < frames; ++i)
                in[i] = source < 0 ? Sample(0)
                                   : static_cast<Sample>(interleaved[i * fileChannels + source]);
        }
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
    if (effect->flags & effFlagsCanReplacing)
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

} // namespace

int fileChannelForInput(int input, int fileChannels)
{
    if (fileChannels == 1) return 0;
    return input < fileChannels ? input : -1;
}

RenderSession::RenderSession(const PluginInstance& plugin, AudioFileReader& reader,
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
    report.usedDouble =
        request.doublePrecision && (effect->flags & effFlagsCanDoubleReplacing) != 0;
    if (request.doublePrecision && !report.usedDouble)
        report.warnings.push_back(
            "the plug-in cannot process 64-bit samples; rendering with 32-bit samples");
    if (!report.usedDouble && !(effect->flags & effFlagsCanReplacing) && !effect->process)
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
    const int fileChannels = reader.format().channels;
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
    std::vector<double> fromFile(static_cast<std::size_t>(block) * fileChannels);
    std::vector<double> toFile(static_cast<std::size_t>(block) * outputs);
    RenderProgress progress(reader.format().frames, rate,
                            request.showProgress && stderrIsTerminal(), stderr);

    for (;;)
    {
        int frames = static_cast<int>(reader.read(fromFile.data(), block));
        if (frames > 0)
        {
            report.inputLevels.add(fromFile.data(), static_cast<std::size_t>(frames));
            report.frames += frames;
            buffers.load(fromFile.data(), fileChannels, frames);
        }
        else if (tail > 0)
        {
            frames = static_cast<int>(std::min<std::int64_t>(tail, block));
            tail -= frames;
            buffers.load(nullptr, fileChannels, frames);
        }
        else
            break;

        buffers.process(plugin, frames);
        const int dropped = static_cast<int>(std::min<std::int64_t>(skip, frames));
        skip -= dropped;
        buffers.store(dropped, frames, toFile.data());
        const auto kept = static_cast<std::size_t>(frames - dropped);
        report.outputLevels.add(toFile.data(), kept);
        if (!writer.write(toFile.data(), static_cast<sf_count_t>(kept), error)) return false;
        progress.update(report.frames);
    }
    return true;
}

} // namespace ofchost
