// The CLAP plug-in's editor on Xvfb through the gui extension, idled by the host's timer:
// a drag reaches the host as one gesture, the window shows what the VST 2.4 build's editor
// draws without a window in the same state, and open/close cycles leave nothing behind.

// gtest first: Xlib defines None.
#include <gtest/gtest.h>

#include "ClapTestHost.h"
#include "HostDisplay.h"
#include "PluginHost.h"
#include "PngFiles.h"
#include "ProcessResources.h"
#include "XvfbServer.h"

#include <cstdlib>

namespace
{
constexpr std::uint32_t kWidth = 690, kHeight = 270;
constexpr clap_id kThreshold = 3;

class ClapEditorTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        std::string why;
        if (!XvfbServer::isInstalled())
        {
            if (std::getenv("CI")) FAIL() << "Xvfb is not installed";
            GTEST_SKIP() << "Xvfb is not installed";
        }
        ASSERT_NE(sharedXvfb(why), nullptr) << why;
        display = std::make_unique<HostDisplay>();
        ASSERT_TRUE(display->isOpen());
        parent = display->createWindow(20, 20, kWidth, kHeight);
        std::string error;
        ASSERT_TRUE(library.load(OFC_CLAP_PATH, error)) << error;
        ASSERT_TRUE(host.open(library, error)) << error;
        gui = host.extension<clap_plugin_gui_t>(CLAP_EXT_GUI);
        timers = host.extension<clap_plugin_timer_support_t>(CLAP_EXT_TIMER_SUPPORT);
        ASSERT_TRUE(gui && timers);
    }
    bool open()
    {
        const clap_window_t window{CLAP_WINDOW_API_X11, {}};
        clap_window_t parentWindow = window;
        parentWindow.x11 = parent;
        const clap_plugin_t* p = host.plugin();
        return gui->create(p, CLAP_WINDOW_API_X11, false) && gui->set_scale(p, 1.0) &&
               gui->set_parent(p, &parentWindow) && gui->show(p);
    }
    void idle(int ms = 60)
    {
        pumpIdle(
            [&]
            {
                for (const auto& timer : host.timers)
                    timers->on_timer(host.plugin(), timer.first);
            },
            ms);
    }
    Window editor() const
    {
        const std::vector<Window> children = display->children(parent);
        return children.empty() ? 0 : children.back();
    }
    double value(clap_id id)
    {
        double v = 0.0;
        host.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS)->get_value(host.plugin(), id, &v);
        return v;
    }

    std::unique_ptr<HostDisplay> display;
    Window parent = 0;
    ClapLibrary library;
    ClapTestHost host;
    const clap_plugin_gui_t* gui = nullptr;
    const clap_plugin_timer_support_t* timers = nullptr;
};
} // namespace

TEST_F(ClapEditorTest, ADragIsOneGestureAndTheWindowShowsTheEditorsDrawing)
{
    // Active, as the VST 2.4 instance it is compared with (the editor shows it).
    ASSERT_TRUE(host.plugin()->activate(host.plugin(), 44100.0, 1, 512));
    ASSERT_TRUE(open());
    std::uint32_t width = 0, height = 0;
    ASSERT_TRUE(gui->get_size(host.plugin(), &width, &height));
    EXPECT_EQ(width, kWidth);
    EXPECT_EQ(height, kHeight);
    EXPECT_EQ(host.timers.size(), 1u);
    EXPECT_EQ(host.watched.size(), 1u);
    idle(200);
    const Window window = editor();
    ASSERT_NE(window, 0u);

    display->moveTo(window, 142, 83);
    idle();
    display->buttonDown(1);
    idle();
    for (int y = 73; y >= 23; y -= 10)
    {
        display->moveTo(window, 142, y);
        idle(30);
    }
    display->buttonUp(1);
    idle(200);
    ASSERT_GT(host.flushRequests, 0);
    {
        AudioThreadScope audio; // an active instance is flushed from the audio thread
        host.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS)
            ->flush(host.plugin(), EventList().get(), host.output());
    }
    ASSERT_GE(host.sent.size(), 3u);
    EXPECT_EQ(host.sent.front().type, CLAP_EVENT_PARAM_GESTURE_BEGIN);
    EXPECT_EQ(host.sent.back().type, CLAP_EVENT_PARAM_GESTURE_END);
    for (size_t i = 1; i + 1 < host.sent.size(); ++i)
        EXPECT_EQ(host.sent[i].type, CLAP_EVENT_PARAM_VALUE);
    for (const auto& event : host.sent)
        EXPECT_EQ(event.param, kThreshold);
    EXPECT_EQ(host.sent[host.sent.size() - 2].value, value(kThreshold));
    EXPECT_NEAR(value(kThreshold), 0.1, 1e-5); // 60 pixels up from 0

    // The VST 2.4 build's editor, drawn without a window with the same values.
    display->sync();
    const std::vector<uint32_t> shown = display->capture(window, kWidth, kHeight);
    PluginLibrary vst(OFC_PLUGIN_PATH);
    AEffect* twin = vst.createEffect();
    ASSERT_TRUE(twin && vst.snapshotFunction());
    for (clap_id id = 0; id < 21; ++id)
        twin->setParameter(twin, static_cast<VstInt32>(id), static_cast<float>(value(id)));
    ASSERT_EQ(vst.snapshotFunction()(twin, nullptr, 0), 1);
    for (int i = 0; i < 10; ++i) // the meters' time, as the window had it
    {
        vst.snapshotFunction()(twin, nullptr, 30);
        idleEditor(twin);
    }
    ASSERT_EQ(vst.snapshotFunction()(twin, "clap-editor-headless.png", 0), 1);
    std::vector<uint32_t> drawn;
    int w = 0, h = 0;
    ASSERT_TRUE(readRgbPng("clap-editor-headless.png", drawn, w, h));
    writeRgbPng("clap-editor-x11.png", shown, kWidth, kHeight);
    int different = 0;
    for (size_t i = 0; i < drawn.size() && i < shown.size(); ++i)
        for (int shift : {0, 8, 16})
            different +=
                std::abs(int((drawn[i] >> shift) & 0xff) - int((shown[i] >> shift) & 0xff)) > 2;
    EXPECT_EQ(different, 0) << "pictures: clap-editor-x11.png, clap-editor-headless.png";
    closeEffect(twin);
}

TEST_F(ClapEditorTest, TwoHundredOpenCloseCyclesLeaveNothingBehind)
{
    const auto cycle = [&](int times)
    {
        for (int i = 0; i < times; ++i)
        {
            ASSERT_TRUE(open());
            idle(1);
            gui->destroy(host.plugin());
        }
        display->sync();
    };
    cycle(10); // the first fill the process-wide caches of Xlib, cairo and fontconfig
    const size_t heapBefore = heapBytesInUse();
    const int descriptorsBefore = openFileDescriptors();
    cycle(200);
    EXPECT_EQ(openFileDescriptors(), descriptorsBefore);
    EXPECT_TRUE(display->children(parent).empty());
    EXPECT_TRUE(host.timers.empty());
    EXPECT_TRUE(host.watched.empty());
    const long long grown =
        static_cast<long long>(heapBytesInUse()) - static_cast<long long>(heapBefore);
    EXPECT_LT(grown, static_cast<long long>(heapMeasurementSlack()));
    EXPECT_FALSE(leakSanitizerFoundLeaks());
}
