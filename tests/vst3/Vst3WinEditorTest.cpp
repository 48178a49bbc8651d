// The VST3 editor as a Windows host embeds it: a child of the host's HWND, idled by a system
// timer on its window (Windows hosts offer no run loop), gone with removed(), and a long run of
// attach/remove cycles that must leave no GDI, USER or kernel objects behind.
#include "ProcessCounters.h"
#include "Vst3Instance.h"
#include "Vst3View.h"
#include "WinPluginHost.h"

#include <gtest/gtest.h>

using namespace vst3;

namespace
{
constexpr int kWidth = 690, kHeight = 270;
constexpr ParamID kThreshold = 3;
constexpr RECT kThresholdKnob{112, 53, 172, 113};

// The window's pixels inside `area`, as the screen shows them.
std::vector<COLORREF> pixels(HWND window, const RECT& area)
{
    std::vector<COLORREF> out;
    HDC dc = GetDC(window);
    for (LONG y = area.top; y < area.bottom; ++y)
        for (LONG x = area.left; x < area.right; ++x)
            out.push_back(GetPixel(dc, x, y));
    ReleaseDC(window, dc);
    return out;
}

class Vst3WinEditorTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        std::string error;
        static std::unique_ptr<Vst3Module> module = Vst3Module::load(OFC_VST3_BUNDLE, error);
        ASSERT_TRUE(module) << error;
        plugin = Vst3Instance::create(*module, error);
        ASSERT_TRUE(plugin) << error;
        parent = createHostWindow(L"ofc vst3 editor test", 0, 0, kWidth, kHeight);
        ASSERT_NE(parent, nullptr);
    }
    void TearDown() override
    {
        plugin.reset();
        if (IsWindow(parent)) DestroyWindow(parent);
        runMessages(10);
    }
    IPlugView* attach()
    {
        IPlugView* view = plugin->controller->createView("editor");
        if (view && view->attached(parent, kPlatformTypeHWND) != kResultOk)
        {
            view->release();
            return nullptr;
        }
        return view;
    }
    static void detach(IPlugView* view)
    {
        view->removed();
        view->release();
    }
    std::vector<HWND> children() const
    {
        std::vector<HWND> found;
        for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            found.push_back(w);
        return found;
    }

    std::unique_ptr<Vst3Instance> plugin;
    HWND parent = nullptr;
};
} // namespace

TEST_F(Vst3WinEditorTest, AttachesAChildOfItsSizeThatFollowsTheHostOnItsOwnTimer)
{
    IPlugView* view = attach();
    ASSERT_NE(view, nullptr);
    runMessages(200);
    const std::vector<HWND> open = children();
    ASSERT_EQ(open.size(), 1u);
    RECT client{};
    GetClientRect(open[0], &client);
    EXPECT_EQ(client.right, kWidth);
    EXPECT_EQ(client.bottom, kHeight);

    // A change from the host reaches the knob only through the editor's idle.
    const std::vector<COLORREF> before = pixels(open[0], kThresholdKnob);
    plugin->controller->setParamNormalized(kThreshold, 0.9);
    runMessages(200);
    const std::vector<COLORREF> after = pixels(open[0], kThresholdKnob);
    std::size_t changed = 0;
    for (std::size_t i = 0; i < before.size(); ++i)
        changed += before[i] != after[i];
    EXPECT_GT(changed, 50u) << "the knob did not turn: the editor was not idled";

    detach(view);
    EXPECT_TRUE(children().empty());
}

TEST_F(Vst3WinEditorTest, HundredAttachRemoveCyclesLeaveNoObjectsBehind)
{
    auto cycle = [&]
    {
        IPlugView* view = attach();
        ASSERT_NE(view, nullptr);
        runMessages(20);
        detach(view);
    };
    for (int i = 0; i < 5; ++i)
        cycle();
    ProcessCounters counters;
    ASSERT_TRUE(counters.selfCheck()) << counters.report();
    const ProcessCounts before = counters.now();
    for (int i = 0; i < 100 && !HasFatalFailure(); ++i)
        cycle();
    const ProcessCounts after = counters.now();
    std::printf("objects before/after 100 cycles: %s\n",
                ProcessCounters::describe(before, after).c_str());
    if (counters.canCountGdiObjects())
    {
        EXPECT_LE(after.gdiObjects, before.gdiObjects + 4);
    }
    EXPECT_LE(after.userObjects, before.userObjects);
    EXPECT_LE(after.kernelHandles, before.kernelHandles + 4);
}
