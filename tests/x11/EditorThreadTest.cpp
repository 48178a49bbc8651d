// The editor driven the way Ardour drives it: opened on the host's user-interface thread,
// its idle calls every 40 ms from a thread of the host's own, closed from yet another.

#include "EditorTestFixture.h"

#include <atomic>
#include <thread>

namespace
{
constexpr int kThreshold = 3;

class EditorThreadTest : public EditorTestFixture
{
};
} // namespace

TEST_F(EditorThreadTest, IdleCallsFromAnotherThreadServeInputAndPainting)
{
    AEffect* effect = nullptr;
    std::thread(
        [&]
        {
            effect = newEffect();
            if (effect)
            {
                effect->setParameter(effect, kThreshold, 0.5f);
                openEditor(effect, parent);
            }
        })
        .join();
    ASSERT_NE(effect, nullptr);
    const Window editor = editorWindowIn(parent);
    ASSERT_NE(editor, 0u);

    std::atomic<bool> running{true};
    std::thread idleThread(
        [&]
        {
            while (running.load())
            {
                idleEditor(effect);
                std::this_thread::sleep_for(std::chrono::milliseconds(40));
            }
        });
    auto waitIdle = [] { std::this_thread::sleep_for(std::chrono::milliseconds(60)); };
    waitIdle();
    HostCallLog::instance().clear();
    host->moveTo(editor, 142, 83);
    host->buttonDown(1);
    waitIdle();
    for (int dy = 10; dy <= 60; dy += 10)
    {
        host->moveTo(editor, 142, 83 - dy);
        waitIdle();
    }
    host->buttonUp(1);
    waitIdle();
    waitIdle();
    running.store(false);
    idleThread.join();

    EXPECT_NEAR(parameter(effect, kThreshold), 0.6f, 1e-5f);
    const std::vector<HostCall> calls = HostCallLog::instance().callsOf(effect);
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls.back().opcode, audioMasterEndEdit);
    int gestures = 0;
    for (const HostCall& call : calls)
        gestures += call.opcode == audioMasterBeginEdit;
    EXPECT_EQ(gestures, 1);

    std::thread([&] { closeEditor(effect); }).join();
    host->sync();
    EXPECT_TRUE(host->children(parent).empty());
}
