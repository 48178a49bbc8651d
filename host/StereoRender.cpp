#include "StereoRender.h"

#include "DemoSignal.h"
#include "OutputFile.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ofchost
{
namespace
{
template <typename Sample>
bool streamDemo(StereoProcessor& processor, DemoSource& source, AudioFileWriter& writer,
                int blockSize, double& peak, std::string& error)
{
    const auto frames = static_cast<std::size_t>(blockSize);
    std::vector<Sample> in[2] = {std::vector<Sample>(frames), std::vector<Sample>(frames)};
    std::vector<Sample> out[2] = {std::vector<Sample>(frames), std::vector<Sample>(frames)};
    Sample* inputs[2] = {in[0].data(), in[1].data()};
    Sample* outputs[2] = {out[0].data(), out[1].data()};
    std::vector<double> scratch;
    std::vector<double> interleaved(2 * frames);
    for (;;)
    {
        const auto n = static_cast<int>(readPlanar(source, scratch, inputs, 2, blockSize, nullptr));
        if (n == 0) return true;
        if (!processor.process(inputs, outputs, n))
        {
            error = "the plug-in refused a block";
            return false;
        }
        for (int i = 0; i < n; ++i)
            for (int c = 0; c < 2; ++c)
            {
                const auto sample = static_cast<double>(out[c][i]);
                interleaved[static_cast<std::size_t>(2 * i + c)] = sample;
                // A NaN stays the peak once seen, so the report shows it.
                if (!(std::fabs(sample) <= peak) && !std::isnan(peak)) peak = std::fabs(sample);
            }
        if (!writer.write(interleaved.data(), n, error)) return false;
    }
}
} // namespace

bool renderDemo(StereoProcessor& processor, const RenderOptions& options, double& peak,
                std::string& error)
{
    peak = 0.0;
    if (options.request.blockSize <= 0 || options.outputPath.empty())
    {
        error = "the demo render needs an output file and a positive block size";
        return false;
    }
    DemoSource source(options.demoRate);
    const int subtype = options.outputSampleFormat ? options.outputSampleFormat : SF_FORMAT_FLOAT;
    OutputFile file;
    AudioFileWriter writer;
    if (!file.create(options.outputPath, error) ||
        !writer.open(file.temporaryPath(), SF_FORMAT_WAV | subtype, options.demoRate, 2, error))
    {
        error = file.userMessage(error);
        return false;
    }
    const bool streamed =
        options.request.doublePrecision
            ? streamDemo<double>(processor, source, writer, options.request.blockSize, peak, error)
            : streamDemo<float>(processor, source, writer, options.request.blockSize, peak, error);
    return streamed && writer.close(error) && file.commit(error);
}

} // namespace ofchost
