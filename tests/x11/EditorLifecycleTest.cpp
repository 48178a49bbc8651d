// The editor's window over its lifetime as hosts handle it: opened and closed many times,
// several at once, closed with the plug-in, or outlived by the host's window.

#include "EditorTestFixture.h"
#include "ProcessResources.h"

#include <chrono>

namespace
{
constexpr int kThreshold = 3;
constexpr int kBypass = 16;

class EditorLifecycleTest : public EditorTestFixture
{
  protected:
    void dragThresholdUp(AEffect* effect, Window editor, int pixels)
    {
        host->moveTo(editor, 142, 83);
        host->buttonDown(1);
        idleFor(effect, 20);
        for (int dy = 10; dy <= pixels; dy += 10)
        {
            host->moveTo(editor, 142, 83 - dy);
            idleFor(effect, 20);
        }
        host->buttonUp(1);
        idleFor(effect, 40);
    }
};
} // namespace

TEST_F(EditorLifecycleTest, TwoHundredOpenCloseCyclesLeaveNothingBehind)
{
    AEffect* effect = newEffect();
    ASSERT_NE(effect, nullptr);
    auto cycle = [&](int times)
    {
        for (int i = 0; i < times; ++i)
        {
            ASSERT_TRUE(openEditor(effect, parent));
            idleEditor(effect); // paints and presents the window
            effect->setParameter(effect, kThreshold, (i % 10) / 10.0f);
            idleEditor(effect); // and a part of it
            closeEditor(effect);
        }
        host->sync();
    };
    // The first cycles fill the process-wide caches of Xlib, cairo and fontconfig.
    cycle(10);
    const size_t heapBefore = heapBytesInUse();
    const int descriptorsBefore = openFileDescriptors();
    const int segmentsBefore = sharedMemorySegments();
    const auto start = std::chrono::steady_clock::now();

    cycle(200);

    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(openFileDescriptors(), descriptorsBefore);
    EXPECT_EQ(sharedMemorySegments(), segmentsBefore);
    EXPECT_TRUE(host->children(parent).empty());
    const long long grown =
        static_cast<long long>(heapBytesInUse()) - static_cast<long long>(heapBefore);
    EXPECT_LT(grown, static_cast<long long>(heapMeasurementSlack()))
        << "heap grew by " << grown << " bytes over 200 cycles";
    EXPECT_FALSE(leakSanitizerFoundLeaks());
    RecordProperty("seconds_for_200_cycles", std::to_string(seconds));
}

TEST_F(EditorLifecycleTest, ClosingThePlugInWithItsEditorOpenInMidGestureIsSafe)
{
    AEffect* effect = newEffect();
    ASSERT_NE(effect, nullptr);
    ASSERT_TRUE(openEditor(effect, parent));
    const Window editor = editorWindowIn(parent);
    idleFor(effect);
    host->moveTo(editor, 142, 83);
    host->buttonDown(1);
    idleFor(effect, 20);
    host->moveTo(editor, 142, 60);
    idleFor(effect, 20);

    forgetEffect(effect);
    closeEffect(effect);
    host->buttonUp(1);
    host->sync();
    EXPECT_TRUE(host->children(parent).empty());
    // The host is not left with a gesture that never ends.
    const std::vector<HostCall> calls = HostCallLog::instance().callsOf(effect);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls.back().opcode, audioMasterEndEdit);
    EXPECT_EQ(calls.back().index, kThreshold);
}

TEST_F(EditorLifecycleTest, TwoEditorsOpenAtOnceDoNotDisturbEachOther)
{
    const Window secondParent = host->createWindow(100, 480, 700, 280, 0x102030);
    AEffect* first = newEffect();
    AEffect* second = newEffect();
    ASSERT_TRUE(first && second);
    for (AEffect* effect : {first, second})
        effect->setParameter(effect, kThreshold, 0.5f);
    ASSERT_TRUE(openEditor(first, parent));
    ASSERT_TRUE(openEditor(second, secondParent));
    const Window firstEditor = editorWindowIn(parent);
    const Window secondEditor = editorWindowIn(secondParent);
    ASSERT_NE(firstEditor, secondEditor);
    auto idleBoth = [&](int ms)
    {
        pumpIdle(
            [&]
            {
                idleEditor(first);
                idleEditor(second);
            },
            ms);
    };
    idleBoth(60);
    HostCallLog::instance().clear();

    host->moveTo(firstEditor, 142, 83);
    host->buttonDown(1);
    idleBoth(20);
    host->moveTo(firstEditor, 142, 33);
    idleBoth(20);
    host->buttonUp(1);
    idleBoth(40);
    host->click(secondEditor, 567, 239);
    idleBoth(60);

    EXPECT_NEAR(parameter(first, kThreshold), 0.5f + 50.0f / 600.0f, 1e-5f);
    EXPECT_EQ(parameter(second, kThreshold), 0.5f);
    EXPECT_EQ(parameter(first, kBypass), 0.0f);
    EXPECT_EQ(parameter(second, kBypass), 1.0f);
    for (const HostCall& call : HostCallLog::instance().callsOf(first))
        EXPECT_EQ(call.index, kThreshold);
    for (const HostCall& call : HostCallLog::instance().callsOf(second))
        EXPECT_EQ(call.index, kBypass);

    // Closing one leaves the other working.
    closeEditor(first);
    host->click(secondEditor, 567, 239);
    idleFor(second, 60);
    EXPECT_EQ(parameter(second, kBypass), 0.0f);
    closeEditor(second);
}

TEST_F(EditorLifecycleTest, AHostWindowDestroyedBeforeTheEditorClosesHarmsNothing)
{
    AEffect* effect = newEffect();
    ASSERT_NE(effect, nullptr);
    ASSERT_TRUE(openEditor(effect, parent));
    idleFor(effect);
    host->destroyWindow(parent);
    effect->setParameter(effect, kThreshold, 0.9f); // something to repaint
    idleFor(effect);
    closeEditor(effect);

    // The effect and a new editor in a new window carry on.
    parent = host->createWindow(kParentX, kParentY, kParentWidth, kParentHeight);
    ASSERT_TRUE(openEditor(effect, parent));
    idleFor(effect);
    const Window editor = editorWindowIn(parent);
    ASSERT_NE(editor, 0u);
    EXPECT_TRUE(host->isViewable(editor));
    effect->setParameter(effect, kThreshold, 0.5f);
    dragThresholdUp(effect, editor, 30);
    EXPECT_NEAR(parameter(effect, kThreshold), 0.55f, 1e-5f);
    closeEditor(effect);
}

TEST_F(EditorLifecycleTest, EditorClosedWhileHiddenAndReopenedShowsTheCurrentState)
{
    AEffect* effect = newEffect();
    ASSERT_NE(effect, nullptr);
    ASSERT_TRUE(openEditor(effect, parent));
    idleFor(effect);
    // Some hosts close the editor whenever its window is hidden.
    XUnmapWindow(host->get(), parent);
    host->sync();
    idleFor(effect, 40);
    closeEditor(effect);
    effect->setParameter(effect, kBypass, 1.0f);
    XMapWindow(host->get(), parent);
    host->sync();
    ASSERT_TRUE(openEditor(effect, parent));
    idleFor(effect);
    const Window editor = editorWindowIn(parent);
    ASSERT_NE(editor, 0u);
    EXPECT_EQ(host->children(parent).size(), 1u);
    host->click(editor, 567, 239);
    idleFor(effect);
    EXPECT_EQ(parameter(effect, kBypass), 0.0f);
}

TEST_F(EditorLifecycleTest, AParentThatIsNoWindowStillGivesAWorkingEditorWithoutAWindow)
{
    AEffect* effect = newEffect();
    ASSERT_NE(effect, nullptr);
    // Not a window of this server: the process must not end on the X error.
    EXPECT_EQ(dispatch(effect, effEditOpen, 0, 0, reinterpret_cast<void*>(uintptr_t{0x3fffff0})),
              1);
    idleFor(effect, 40);
    effect->setParameter(effect, kThreshold, 0.25f);
    idleFor(effect, 40);
    closeEditor(effect);
    EXPECT_EQ(parameter(effect, kThreshold), 0.25f);
}
