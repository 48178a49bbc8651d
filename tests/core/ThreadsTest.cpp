#include "FakeEditor.h"
#include "VstTemplate.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

// A host automating every parameter on one thread while its audio thread processes and its
// user-interface thread reads values and meters, all on one effect. Run under ThreadSanitizer
// this shows that every value crossing threads is shared race-free.
TEST(Threads, AutomationWhileProcessing)
{
    FakeEditor* editor = nullptr;
    auto effect = makeEffectWithFakeEditor(&editor);
    AEffect* e = effect->getAeffect();
    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);

    std::atomic<bool> automating{true};
    std::thread automation(
        [&]
        {
            for (int round = 0; round < 1000; ++round)
                for (VstInt32 i = 0; i < kNumParams; ++i)
                    e->setParameter(e, i, static_cast<float>((round * 7 + i) % 11) / 10.0f);
            automating.store(false);
        });

    std::thread ui(
        [&]
        {
            float sink = 0.0f;
            char text[16];
            while (automating.load())
            {
                for (VstInt32 i = 0; i < kNumParams; ++i)
                {
                    sink += e->getParameter(e, i);
                    e->dispatcher(e, effGetParamDisplay, i, 0, text, 0.0f);
                }
                for (VstInt32 i = 500; i <= 506; ++i)
                    sink += e->getParameter(e, i);
            }
            EXPECT_FALSE(std::isnan(sink));
        });

    std::vector<float> l(256), r(256);
    float* io[2] = {l.data(), r.data()};
    int blocks = 0;
    while (automating.load() || blocks < 20)
    {
        for (int i = 0; i < 256; ++i)
        {
            l[i] = 0.5f * std::sin(0.01f * static_cast<float>(blocks * 256 + i));
            r[i] = -l[i];
        }
        e->processReplacing(e, io, io, 256);
        ++blocks;
    }
    automation.join();
    ui.join();

    for (int i = 0; i < 256; ++i)
    {
        ASSERT_TRUE(std::isfinite(l[i]));
        ASSERT_TRUE(std::isfinite(r[i]));
    }
    e->dispatcher(e, effMainsChanged, 0, 0, nullptr, 0.0f);
}
