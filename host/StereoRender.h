#pragma once

#include "RenderOptions.h"

#include <string>

// The demo render for hosts of the other plug-in formats (the VST3 and CLAP test hosts): the
// same signal, blocks, sample types and output file as ofc-host render writes, through any
// effect with two inputs and two outputs, so the files of two formats can be compared.
namespace ofchost
{

class StereoProcessor
{
  public:
    virtual ~StereoProcessor() = default;
    // Every pointer is valid for `frames` samples; false if the plug-in refused the block.
    virtual bool process(float* const* inputs, float* const* outputs, int frames) = 0;
    virtual bool process(double* const* inputs, double* const* outputs, int frames) = 0;
};

// Renders the demo (options.demoRate, options.request.blockSize, options.request.doublePrecision)
// into options.outputPath, in options.outputSampleFormat (float when 0). The processor must be
// set up for that rate and block size and be processing; false with a message otherwise.
// `peak` receives the output's largest magnitude.
bool renderDemo(StereoProcessor& processor, const RenderOptions& options, double& peak,
                std::string& error);

} // namespace ofchost
