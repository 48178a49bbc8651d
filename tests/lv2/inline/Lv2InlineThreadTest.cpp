// render on the host's drawing thread while run goes on in the audio thread, under the thread
// checker: the published values never tear and the surfaces stay whole.
#include "InlineHost.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

TEST(Lv2InlineThreads, RenderWhileRunning)
{
    InlineHost host(OFC_LV2_BUNDLE);
    ASSERT_EQ(host.error(), "");
    std::atomic<bool> done{false};
    std::thread audio(
        [&]
        {
            for (int b = 0; b < 1500; ++b)
            {
                if (b % 200 == 0) applyLook(host, (b / 200) % 2 ? Look::Gentle : Look::Firm);
                host.runBlock(InlineHost::Signal::Bursts);
            }
            done = true;
        });
    int renders = 0;
    while (!done)
    {
        const std::uint32_t width = renders % 2 ? 100 : 300;
        const ardourlv2::ImageSurface* s = host.render(width, width);
        ASSERT_NE(s, nullptr);
        EXPECT_LE(s->width, static_cast<int>(width));
        ++renders;
    }
    audio.join();
    EXPECT_GT(renders, 2);
}
