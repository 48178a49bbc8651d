// The VST3 editor as a Linux host embeds it: in the host's window, idled from the host's run
// loop, driven with real input on a private X server.
#include "X11TestFixture.h"

#include "PluginHost.h"
#include "PngFiles.h"
#include "ProcessResources.h"
#include "Vst3HostFrame.h"
#include "Vst3Instance.h"

#include <cstring>

using namespace vst3;

namespace
{
constexpr ParamID kThreshold = 3;
constexpr int kWidth = 690, kHeight = 270;
constexpr int kThresholdX = 142, kThresholdY = 83;

class Vst3EditorTest : public X11TestFixture
{
  protected:
    void SetUp() override
    {
        X11TestFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        std::string error;
        static std::unique_ptr<Vst3Module> module = Vst3Module::load(OFC_VST3_BUNDLE, error);
        ASSERT_TRUE(module) << error;
        plugin = Vst3Instance::create(*module, error);
        ASSERT_TRUE(plugin) << error;
        plugin->controller->setComponentHandler(&handler);
    }
    void TearDown() override
    {
        closeView();
        plugin.reset();
        X11TestFixture::TearDown();
    }

    bool openView()
    {
        view = plugin->controller->createView("editor");
        if (!view) return false;
        view->setFrame(&frame);
        return view->attached(parentHandle(), kPlatformTypeX11EmbedWindowID) == kResultOk;
    }
    void closeView()
    {
        if (!view) return;
        view->removed();
        view->setFrame(nullptr);
        view->release();
        view = nullptr;
    }
    Window editorWindow() const
    {
        const std::vector<Window> children = host->children(parent);
        return children.empty() ? 0 : children.back();
    }
    void dragThreshold(int dy)
    {
        const Window editor = editorWindow();
        host->moveTo(editor, kThresholdX, kThresholdY);
        host->buttonDown(1);
        frame.runFor(30);
        for (int moved = 10; moved <= std::abs(dy); moved += 10)
        {
            host->moveTo(editor, kThresholdX, kThresholdY + (dy < 0 ? -moved : moved));
            frame.runFor(30);
        }
        host->buttonUp(1);
        frame.runFor(60);
    }

    std::unique_ptr<Vst3Instance> plugin;
    EditRecorder handler;
    HostFrame frame;
    IPlugView* view = nullptr;
};
} // namespace

TEST_F(Vst3EditorTest, TheViewEmbedsAtItsSizeAndIdlesOnTheHostsLoop)
{
    ASSERT_TRUE(openView());
    ViewRect size{};
    ASSERT_EQ(view->getSize(&size), kResultOk);
    EXPECT_EQ(size.getWidth(), kWidth);
    EXPECT_EQ(size.getHeight(), kHeight);
    EXPECT_NE(view->canResize(), kResultTrue);
    EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeHWND), kResultFalse);
    EXPECT_EQ(frame.timers.size(), 1u);
    EXPECT_EQ(frame.eventHandlers.size(), 1u) << "the editor's X connection is watched";
    frame.runFor(50);
    int width = 0, height = 0;
    ASSERT_TRUE(host->windowSize(editorWindow(), width, height));
    EXPECT_EQ(width, kWidth);
    EXPECT_EQ(height, kHeight);
    EXPECT_EQ(plugin->controller->createView("editor"), nullptr) << "one view at a time";

    // Scale 2: the editor asks its frame for twice the size.
    void* scaling = nullptr;
    ASSERT_EQ(view->queryInterface(IPlugViewContentScaleSupport::iid.bytes, &scaling), kResultOk);
    static_cast<IPlugViewContentScaleSupport*>(scaling)->setContentScaleFactor(2.0f);
    static_cast<IPlugViewContentScaleSupport*>(scaling)->release();
    ASSERT_FALSE(frame.resizes.empty());
    EXPECT_EQ(frame.resizes.back().getWidth(), 2 * kWidth);
    EXPECT_EQ(frame.resizes.back().getHeight(), 2 * kHeight);
    closeView();
    EXPECT_TRUE(frame.timers.empty());
    EXPECT_TRUE(frame.eventHandlers.empty());
}

TEST_F(Vst3EditorTest, WithoutARunLoopTheViewIsNotOpened)
{
    frame.offerRunLoop = false;
    EXPECT_FALSE(openView());
    EXPECT_TRUE(host->children(parent).empty());
}

// A drag is one gesture: begin, edits in one direction, end, all for the knob's parameter; the
// window then shows what the VST 2.4 build's editor draws without a window in the same state.
TEST_F(Vst3EditorTest, ADragIsOneGestureAndTheWindowShowsTheSnapshotOfItsState)
{
    plugin->controller->setParamNormalized(kThreshold, 0.5);
    ASSERT_TRUE(openView());
    frame.runFor(60);
    handler.edits.clear();
    dragThreshold(-60);
    ASSERT_GE(handler.edits.size(), 4u);
    EXPECT_EQ(handler.edits.front().kind, HostEdit::kBegin);
    EXPECT_EQ(handler.edits.back().kind, HostEdit::kEnd);
    double previous = 0.5;
    for (std::size_t i = 1; i + 1 < handler.edits.size(); ++i)
    {
        EXPECT_EQ(handler.edits[i].kind, HostEdit::kPerform);
        EXPECT_EQ(handler.edits[i].id, kThreshold);
        EXPECT_GE(handler.edits[i].value, previous);
        previous = handler.edits[i].value;
    }
    EXPECT_NEAR(plugin->controller->getParamNormalized(kThreshold), 0.6, 1e-5);
    frame.runFor(100);
    host->sync();
    const std::vector<uint32_t> shown = host->capture(editorWindow(), kWidth, kHeight);

    PluginLibrary vst2(OFC_VST2_PLUGIN);
    ASSERT_TRUE(vst2.isLoaded()) << vst2.error();
    AEffect* twin = vst2.createEffect();
    ASSERT_NE(twin, nullptr);
    for (ParamID i = 0; i < 21; ++i)
        twin->setParameter(twin, static_cast<int>(i),
                           static_cast<float>(plugin->controller->getParamNormalized(i)));
    auto snapshot = vst2.snapshotFunction();
    ASSERT_EQ(snapshot(twin, nullptr, 0), 1);
    for (int i = 0; i < 10; ++i)
    {
        snapshot(twin, nullptr, 30);
        idleEditor(twin);
    }
    ASSERT_EQ(snapshot(twin, "vst3-editor-snapshot.png", 0), 1);
    closeEffect(twin);
    std::vector<uint32_t> drawn;
    int width = 0, height = 0;
    ASSERT_TRUE(readRgbPng("vst3-editor-snapshot.png", drawn, width, height));
    writeRgbPng("vst3-editor-x11.png", shown, kWidth, kHeight);
    int worst = 0;
    EXPECT_EQ(countDifferent(shown, drawn, 2, worst), 0)
        << "largest channel difference " << worst
        << " (pictures: vst3-editor-x11.png, vst3-editor-snapshot.png)";
}

TEST_F(Vst3EditorTest, TwoHundredOpenCloseCyclesLeaveNothingBehind)
{
    auto cycle = [&](int times)
    {
        for (int i = 0; i < times; ++i)
        {
            ASSERT_TRUE(openView());
            frame.runFor(i % 20 == 0 ? 20 : 0);
            plugin->controller->setParamNormalized(kThreshold, (i % 10) / 10.0);
            view->getSize(nullptr);
            closeView();
        }
        host->sync();
    };
    cycle(30); // fills the drawing libraries' process-wide caches
    const int descriptorsBefore = openFileDescriptors();
    const int segmentsBefore = sharedMemorySegments();
    const size_t heapBefore = heapBytesInUse(); // last: the counts above may allocate too
    cycle(200);
    EXPECT_EQ(openFileDescriptors(), descriptorsBefore);
    EXPECT_EQ(sharedMemorySegments(), segmentsBefore);
    EXPECT_TRUE(host->children(parent).empty());
    EXPECT_EQ(frame.references, 1u) << "every reference to the frame was given back";
    const long long grown =
        static_cast<long long>(heapBytesInUse()) - static_cast<long long>(heapBefore);
    EXPECT_LT(grown, static_cast<long long>(heapMeasurementSlack()));
    EXPECT_FALSE(leakSanitizerFoundLeaks());
}
