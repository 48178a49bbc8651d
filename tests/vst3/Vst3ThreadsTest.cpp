// The threads a VST3 host runs at once: the audio thread's blocks with their timed changes and
// program choices, while the user-interface thread sets values, chooses programs, asks for texts
// and saves and loads the state. Run under ThreadSanitizer, it finds what the two share unsafely.
#include "PluginFactory.h"
#include "Vst3HostObjects.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

using namespace vst3;

TEST(Vst3Threads, AudioAndUserInterfaceThreadsAtOnce)
{
    // The plug-in's own classes, linked in: this build has no host library to load modules with.
    auto* factory = new PluginFactory();
    void* made = nullptr;
    ASSERT_EQ(factory->createInstance(compressorClassId(), IComponent::iid.bytes, &made),
              kResultOk);
    factory->release();
    auto* component = static_cast<IComponent*>(made);
    void* found = nullptr;
    ASSERT_EQ(component->queryInterface(IAudioProcessor::iid.bytes, &found), kResultOk);
    auto* processor = static_cast<IAudioProcessor*>(found);
    ASSERT_EQ(component->queryInterface(IEditController::iid.bytes, &found), kResultOk);
    auto* controller = static_cast<IEditController*>(found);
    EditRecorder handler;
    controller->setComponentHandler(&handler);
    SpeakerArrangement stereo = SpeakerArr::kStereo, stereoOut = SpeakerArr::kStereo;
    ProcessSetup setup{kRealtime, kSample32, 256, 48000.0};
    ASSERT_EQ(processor->setBusArrangements(&stereo, 1, &stereoOut, 1), kResultTrue);
    ASSERT_EQ(processor->setupProcessing(setup), kResultOk);
    ASSERT_EQ(component->setActive(1), kResultOk);

    std::atomic<bool> done{false};
    std::atomic<bool> finite{true};
    std::thread audio(
        [&]
        {
            std::vector<float> left(256), right(256), outLeft(256), outRight(256);
            float* in[2] = {left.data(), right.data()};
            float* out[2] = {outLeft.data(), outRight.data()};
            ParameterChangeList changes, reported;
            for (int block = 0; !done.load() || block < 200; ++block)
            {
                for (int i = 0; i < 256; ++i)
                    left[i] = right[i] =
                        0.5f * std::sin(0.01f * static_cast<float>(block * 256 + i));
                changes.clear();
                reported.clear();
                changes.add(block % 21, block % 256, (block % 7) / 7.0);
                if (block % 50 == 0) changes.add(1000, 0, (block / 50 % 9) / 8.0);
                AudioBusBuffers inBus{}, outBus{};
                inBus.numChannels = outBus.numChannels = 2;
                inBus.channelBuffers32 = in;
                outBus.channelBuffers32 = out;
                ProcessData data{};
                data.symbolicSampleSize = kSample32;
                data.numSamples = 256;
                data.numInputs = data.numOutputs = 1;
                data.inputs = &inBus;
                data.outputs = &outBus;
                data.inputParameterChanges = &changes;
                data.outputParameterChanges = &reported;
                processor->process(data);
                for (float v : outLeft)
                    if (!std::isfinite(v)) finite = false;
            }
        });
    for (int round = 0; round < 300; ++round)
    {
        controller->setParamNormalized(static_cast<ParamID>(round % 21), (round % 5) / 4.0);
        if (round % 30 == 0) controller->setParamNormalized(1000, (round / 30 % 9) / 8.0);
        String128 text{};
        controller->getParamStringByValue(static_cast<ParamID>(round % 21), 0.3, text);
        controller->getParamNormalized(static_cast<ParamID>((round + 3) % 21));
        if (round % 40 == 0)
        {
            MemoryStream saved;
            ASSERT_EQ(component->getState(&saved), kResultOk);
            saved.position = 0;
            EXPECT_EQ(component->setState(&saved), kResultOk);
        }
    }
    done = true;
    audio.join();
    EXPECT_TRUE(finite.load());
    component->setActive(0);
    controller->setComponentHandler(nullptr);
    component->terminate();
    controller->release();
    processor->release();
    component->release();
}
