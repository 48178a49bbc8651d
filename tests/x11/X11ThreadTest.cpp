// Hosts that drive the editor from threads of their own: the window opened on one thread,
// idle calls (and with them all X traffic) on another, the close on a third.

#include <gtest/gtest.h> // before the X headers, whose None and Bool macros clash

#include "FrameTestSupport.h"
#include "X11TestFixture.h"

#include <atomic>
#include <thread>

namespace
{
class X11ThreadTest : public X11TestFixture
{
};

void onThread(const std::function<void()>& work)
{
    std::thread(work).join();
}
} // namespace

TEST_F(X11ThreadTest, WindowOpenedOnOneThreadIsServedAndClosedFromOthers)
{
    std::unique_ptr<ProbedFrame> probed;
    onThread([&] { probed = std::make_unique<ProbedFrame>(parentHandle()); });
    ASSERT_FALSE(probed->frame->getPlatformWindow()->isHeadless());
    const Window child = probed->window();

    // The host's idle thread runs while the user clicks and drags.
    std::atomic<bool> running{true};
    std::thread idleThread(
        [&]
        {
            while (running.load())
            {
                probed->idle();
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            probed->idle();
        });
    host->moveTo(child, 40, 40);
    host->buttonDown(1);
    for (int step = 1; step <= 10; ++step)
    {
        host->moveTo(child, 40 + step, 40 - step);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    host->buttonUp(1);
    host->click(child, 400, 200, 3);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    running.store(false);
    idleThread.join();

    ASSERT_EQ(probed->left->presses.size(), 1u);
    ASSERT_FALSE(probed->left->moves.empty());
    EXPECT_EQ(probed->left->moves.back().where, CPoint(50, 30));
    EXPECT_EQ(probed->left->releases.size(), 1u);
    ASSERT_EQ(probed->right->presses.size(), 1u);
    EXPECT_EQ(probed->right->presses[0].buttons, kRButton);
    host->sync();
    EXPECT_EQ(countDifferentPixels(host->capture(child, ProbedFrame::kWidth, ProbedFrame::kHeight),
                                   probed->backBufferRgb()),
              0);

    onThread([&] { probed.reset(); });
    host->sync();
    EXPECT_TRUE(host->children(parent).empty());
}

TEST_F(X11ThreadTest, TwoEditorsServedByOneIdleThreadWhileTheyOpenAndCloseOnAnother)
{
    const Window secondParent = host->createWindow(100, 480, 700, 280, 0x102030);
    std::unique_ptr<ProbedFrame> first, second;
    onThread(
        [&]
        {
            first = std::make_unique<ProbedFrame>(parentHandle());
            second = std::make_unique<ProbedFrame>(
                reinterpret_cast<void*>(static_cast<uintptr_t>(secondParent)));
        });
    onThread(
        [&]
        {
            pumpIdle(
                [&]
                {
                    first->idle();
                    second->idle();
                },
                60);
        });
    host->click(first->window(), 350, 150);
    host->click(second->window(), 50, 50);
    onThread(
        [&]
        {
            pumpIdle(
                [&]
                {
                    first->idle();
                    second->idle();
                },
                60);
        });
    EXPECT_EQ(first->right->presses.size(), 1u);
    EXPECT_EQ(first->left->presses.size(), 0u);
    EXPECT_EQ(second->left->presses.size(), 1u);
    EXPECT_EQ(second->right->presses.size(), 0u);
    onThread(
        [&]
        {
            first.reset();
            second.reset();
        });
}
