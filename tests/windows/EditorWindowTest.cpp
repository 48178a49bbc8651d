// The editor's Win32 window as hosts misuse it: bad parents, opens and closes out of order,
// the host's window dying first, messages for a window that has gone; and a long run of
// open/close cycles that must leave no GDI, USER or kernel objects behind.

#include "ProcessCounters.h"
#include "WinPluginHost.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace
{
constexpr int kWidth = 690, kHeight = 270;
constexpr int kThreshold = 3;
constexpr LPARAM kThresholdCentre = MAKELPARAM(142, 83);

class EditorWindowTest : public testing::Test
{
  protected:
    static void SetUpTestSuite() { dll = new PluginDll(OFC_PLUGIN_PATH); }
    static void TearDownTestSuite()
    {
        delete dll;
        dll = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(dll->isLoaded());
        effect = dll->createEffect();
        ASSERT_NE(effect, nullptr);
        parent = createHostWindow(L"ofc editor window test", 0, 0, kWidth, kHeight);
        ASSERT_NE(parent, nullptr);
        hostCalls().clear();
    }
    void TearDown() override
    {
        if (effect) dispatch(effect, effClose);
        if (IsWindow(parent)) DestroyWindow(parent);
        runMessages(10);
        // Whatever a case did, nothing of ours is left, and the class went with the last window.
        WNDCLASSEXW description{};
        description.cbSize = sizeof(description);
        EXPECT_FALSE(
            GetClassInfoExW(dll->module(), editorClassName(dll->module()).c_str(), &description));
    }
    std::vector<HWND> editors() const { return editorWindowsIn(parent, dll->module()); }
    bool snapshotWorks() const
    {
        char path[MAX_PATH];
        std::snprintf(path, sizeof(path), "ofc-win-snapshot-%lu.png", GetCurrentProcessId());
        const bool written = dll->snapshot(effect, path, 0) == 1;
        DeleteFileA(path);
        return written;
    }

    static PluginDll* dll;
    AEffect* effect = nullptr;
    HWND parent = nullptr;
};
PluginDll* EditorWindowTest::dll = nullptr;

TEST_F(EditorWindowTest, OpensOneChildWindowOfTheEditorsSizeAndClosesIt)
{
    ASSERT_EQ(dispatch(effect, effEditOpen, 0, 0, parent), 1);
    runMessages(60, effect);
    const std::vector<HWND> open = editors();
    ASSERT_EQ(open.size(), 1u);
    RECT client{};
    GetClientRect(open[0], &client);
    EXPECT_EQ(client.right, kWidth);
    EXPECT_EQ(client.bottom, kHeight);
    EXPECT_TRUE(IsWindowVisible(open[0]));
    EXPECT_EQ(SendMessageW(open[0], WM_ERASEBKGND, 0, 0), 1);
    dispatch(effect, effEditClose);
    EXPECT_FALSE(IsWindow(open[0]));
}

// Parents no window can be made in: the editor still opens without a window (headless), so
// the host and the snapshot export keep working, and nothing is left when it closes.
TEST_F(EditorWindowTest, BadParentsGiveAHeadlessEditorOrARefusal)
{
    const HWND destroyed = createHostWindow(L"gone", 0, 0, 10, 10);
    DestroyWindow(destroyed);
    int local = 0;
    const struct
    {
        const char* name;
        void* parent;
        VstIntPtr opened;
    } cases[] = {
        {"null", nullptr, 0},
        {"destroyed window", destroyed, 1},
        {"made-up handle", reinterpret_cast<void*>(0x12345678), 1},
        {"pointer to data", &local, 1},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(dispatch(effect, effEditOpen, 0, 0, c.parent), c.opened);
        runMessages(40, effect);
        EXPECT_TRUE(editors().empty());
        EXPECT_TRUE(snapshotWorks());
        dispatch(effect, effEditClose);
    }
}

TEST_F(EditorWindowTest, OpeningTwiceLeavesOneWindowAndClosingWithoutOpenIsHarmless)
{
    dispatch(effect, effEditClose);
    dispatch(effect, effEditClose);
    ASSERT_EQ(dispatch(effect, effEditOpen, 0, 0, parent), 1);
    const std::vector<HWND> first = editors();
    ASSERT_EQ(dispatch(effect, effEditOpen, 0, 0, parent), 1);
    runMessages(40, effect);
    const std::vector<HWND> second = editors();
    ASSERT_EQ(second.size(), 1u);
    EXPECT_FALSE(IsWindow(first[0]) && first[0] != second[0]);
    dispatch(effect, effEditClose);
    dispatch(effect, effEditClose);
    EXPECT_TRUE(editors().empty());
}

// The host destroys its window (and with it ours) with the editor still open, in the middle
// of a knob drag; idle and close come later, and the editor opens again in a new window.
TEST_F(EditorWindowTest, TheHostsWindowDyingFirstEndsTheGestureAndLeavesAWorkingEditor)
{
    ASSERT_EQ(dispatch(effect, effEditOpen, 0, 0, parent), 1);
    runMessages(40, effect);
    const HWND child = editors().at(0);
    SendMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, kThresholdCentre);
    EXPECT_EQ(GetCapture(), child);
    // Input on its way when the window dies, and input sent to the dead handle afterwards
    // while the editor is still open, reach nothing.
    const struct
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } input[] = {
        {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(142, 40)},
        {WM_LBUTTONUP, 0, kThresholdCentre},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), kThresholdCentre},
        {WM_KEYDOWN, VK_UP, 0},
        {WM_CHAR, 'a', 0},
        {WM_PAINT, 0, 0},
    };
    for (const auto& m : input)
        PostMessageW(child, m.message, m.wParam, m.lParam);
    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(child));
    for (const auto& m : input)
        SendMessageW(child, m.message, m.wParam, m.lParam);
    runMessages(60, effect);
    // The press moved nothing; only the begin of its gesture has reached the host.
    EXPECT_EQ(hostCalls().size(), 1u) << describeCalls(hostCalls());
    dispatch(effect, effEditIdle);
    EXPECT_TRUE(snapshotWorks());
    dispatch(effect, effEditClose);
    // The drag that the window's death cut short still ended for the host.
    ASSERT_FALSE(hostCalls().empty());
    EXPECT_EQ(hostCalls().front().opcode, audioMasterBeginEdit) << describeCalls(hostCalls());
    EXPECT_EQ(hostCalls().back().opcode, audioMasterEndEdit) << describeCalls(hostCalls());

    parent = createHostWindow(L"second host window", 0, 0, kWidth, kHeight);
    ASSERT_EQ(dispatch(effect, effEditOpen, 0, 0, parent), 1);
    runMessages(40, effect);
    EXPECT_EQ(editors().size(), 1u);
}

TEST_F(EditorWindowTest, ClosingTheEffectWithItsEditorOpenTakesTheWindowAlong)
{
    ASSERT_EQ(dispatch(effect, effEditOpen, 0, 0, parent), 1);
    runMessages(40, effect);
    const HWND child = editors().at(0);
    dispatch(effect, effClose);
    effect = nullptr;
    EXPECT_FALSE(IsWindow(child));
    EXPECT_TRUE(IsWindow(parent));
}

// Warmed up first: GDI+ and the system keep caches (fonts, device contexts) on first use.
TEST_F(EditorWindowTest, TwoHundredOpenCloseCyclesLeaveNoObjectsBehind)
{
    auto cycle = [&]
    {
        ASSERT_EQ(dispatch(effect, effEditOpen, 0, 0, parent), 1);
        for (int i = 0; i < 3; ++i)
        {
            dispatch(effect, effEditIdle);
            runMessages(0);
        }
        dispatch(effect, effEditClose);
    };
    for (int i = 0; i < 5; ++i)
        cycle();
    ProcessCounters counters;
    ASSERT_TRUE(counters.selfCheck()) << counters.report();
    const ProcessCounts before = counters.now();
    for (int i = 0; i < 200 && !HasFatalFailure(); ++i)
        cycle();
    const ProcessCounts after = counters.now();
    std::printf("%s", counters.report().c_str());
    std::printf("objects before/after 200 cycles: %s\n",
                ProcessCounters::describe(before, after).c_str());
    // A leak of one object per cycle would show as 200; caches may still settle by a few.
    if (counters.canCountGdiObjects())
        EXPECT_LE(after.gdiObjects, before.gdiObjects + 4);
    else
        std::printf("GDI objects cannot be counted in this process; USER and kernel only\n");
    EXPECT_LE(after.userObjects, before.userObjects);
    EXPECT_LE(after.kernelHandles, before.kernelHandles + 4);
}
} // namespace
