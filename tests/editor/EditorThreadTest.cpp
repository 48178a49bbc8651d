#include "EditorTestSupport.h"

#include <atomic>
#include <thread>

namespace
{

using EditorThreads = EditorFixture;

// A host that loads a program from its audio thread must not reach into the window while the
// window's own thread draws it; the change shows at the next idle pass instead.
TEST_F(EditorThreads, ChangesFromAnotherThreadWaitForTheNextIdle)
{
    open();
    const float before = control(3)->getValue();
    std::thread host([this] { effect->setProgram(2); });
    host.join();
    EXPECT_EQ(control(3)->getValue(), before);

    editor->idle();
    for (int view = 3; view <= 11; ++view)
        EXPECT_EQ(control(view)->getValue(), effect->getParameter(control(view)->getTag()))
            << "view " << view;
}

TEST_F(EditorThreads, IdleFromAnotherThreadAdoptsIt)
{
    open();
    std::thread idler([this] { editor->idle(); });
    idler.join();
    effect->setParameter(kThreshold, 0.5f); // this thread is no longer the window's
    EXPECT_NE(control(3)->getValue(), 0.5f);
    editor->idle();
    EXPECT_EQ(control(3)->getValue(), 0.5f);
}

// Programs and automation from one thread while the window idles and repaints on another.
TEST_F(EditorThreads, AutomationWhileTheWindowRepaints)
{
    open();
    std::atomic<bool> done{false};
    std::thread host(
        [&]
        {
            for (int round = 0; round < 200; ++round)
            {
                effect->setProgram(round % 9);
                for (VstInt32 index = 0; index <= kMeterScale; ++index)
                    effect->setParameter(index, float(round % 7) / 6.0f);
            }
            done = true;
        });
    while (!done)
    {
        clock.advance(30);
        editor->idle();
    }
    host.join();
    editor->idle();
    for (int view = 3; view <= 11; ++view)
        EXPECT_EQ(control(view)->getValue(), effect->getParameter(control(view)->getTag()));
}

} // namespace
