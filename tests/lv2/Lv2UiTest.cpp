// The LV2 user interface as a host embeds it, on the private X server: the size it asks for,
// and the port writes and touch gestures that a click and a drag made through XTest send.
// (jalv_ui_test.sh holds its pixels against the VST 2.4 editor's, inside jalv.)
#include "X11TestFixture.h"

#include "FactoryPresets.h"
#include "Lv2Ports.h"

#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <dlfcn.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
constexpr int kEditorWidth = 690, kEditorHeight = 270;
// Centres of the controls the test operates.
constexpr int kThresholdX = 142, kThresholdY = 83;
constexpr int kBypassX = 567, kBypassY = 239;

// What the user interface tells its host, in order: a write (port, value) or a touch.
struct HostEvent
{
    bool touch;
    std::uint32_t port;
    float value; // the written value, or 1 grabbed / 0 released
};
std::vector<HostEvent> events;

void writePort(LV2UI_Controller, std::uint32_t port, std::uint32_t size, std::uint32_t format,
               const void* buffer)
{
    if (format == 0 && size == sizeof(float))
        events.push_back({false, port, *static_cast<const float*>(buffer)});
}

void touchPort(LV2UI_Feature_Handle, std::uint32_t port, bool grabbed)
{
    events.push_back({true, port, grabbed ? 1.0f : 0.0f});
}

int resizedWidth = 0, resizedHeight = 0;
int resize(LV2UI_Feature_Handle, int width, int height)
{
    resizedWidth = width;
    resizedHeight = height;
    return 0;
}

// Numbers for the few URIs the UI asks for, in the order it asks.
LV2_URID mapUri(LV2_URID_Map_Handle, const char* uri)
{
    static std::vector<std::string> uris;
    const auto known = std::find(uris.begin(), uris.end(), uri);
    if (known != uris.end()) return static_cast<LV2_URID>(known - uris.begin() + 1);
    uris.emplace_back(uri);
    return static_cast<LV2_URID>(uris.size());
}

class Lv2UiTest : public X11TestFixture
{
  protected:
    void SetUp() override
    {
        X11TestFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        module = dlopen(OFC_LV2_UI_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module, nullptr) << dlerror();
        auto entry = reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(module, "lv2ui_descriptor"));
        ASSERT_NE(entry, nullptr);
        descriptor = entry(0);
        ASSERT_NE(descriptor, nullptr);
        idleInterface = static_cast<const LV2UI_Idle_Interface*>(
            descriptor->extension_data(LV2_UI__idleInterface));
        ASSERT_NE(idleInterface, nullptr);

        const LV2_Feature parentFeature = {LV2_UI__parent, parentHandle()};
        const LV2_Feature resizeFeature = {LV2_UI__resize, &resizeData};
        const LV2_Feature touchFeature = {LV2_UI__touch, &touchData};
        const LV2_Feature mapFeature = {LV2_URID__map, &mapData};
        const LV2_Options_Option options[] = {{LV2_OPTIONS_INSTANCE, 0,
                                               mapUri(nullptr, LV2_UI__scaleFactor), sizeof(float),
                                               mapUri(nullptr, LV2_ATOM__Float), &scaleOption},
                                              {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
        const LV2_Feature optionsFeature = {LV2_OPTIONS__options,
                                            const_cast<LV2_Options_Option*>(options)};
        const LV2_Feature* features[] = {&parentFeature, &resizeFeature,  &touchFeature,
                                         &mapFeature,    &optionsFeature, nullptr};
        handle = descriptor->instantiate(descriptor, lv2uri::kPlugin, "", writePort, nullptr,
                                         &widget, features);
        ASSERT_NE(handle, nullptr);
        // A host sends every control port's value after instantiating: here a program's.
        for (int i = 0; i < kNumParams; ++i)
        {
            const float v = kFactoryPresets[7].values[i];
            descriptor->port_event(handle, lv2ports::parameterPort(i), sizeof v, 0, &v);
        }
        idleFor(100);
        events.clear();
    }

    void TearDown() override
    {
        if (handle) descriptor->cleanup(handle);
        X11TestFixture::TearDown();
    }

    void idleFor(int ms)
    {
        pumpIdle([this] { idleInterface->idle(handle); }, ms);
    }
    Window window() const { return static_cast<Window>(reinterpret_cast<uintptr_t>(widget)); }

    void* module = nullptr;
    const LV2UI_Descriptor* descriptor = nullptr;
    const LV2UI_Idle_Interface* idleInterface = nullptr;
    float scaleOption = 1.0f; // the host's ui:scaleFactor
    LV2_URID_Map mapData{nullptr, mapUri};
    LV2UI_Resize resizeData{nullptr, resize};
    LV2UI_Touch touchData{nullptr, touchPort};
    LV2UI_Handle handle = nullptr;
    LV2UI_Widget widget = nullptr;
};

TEST_F(Lv2UiTest, ClickAndDragWriteThePortsInsideGestures)
{
    EXPECT_EQ(resizedWidth, kEditorWidth);
    EXPECT_EQ(resizedHeight, kEditorHeight);
    int width = 0, height = 0;
    ASSERT_TRUE(host->windowSize(window(), width, height));
    EXPECT_EQ(width, kEditorWidth);
    EXPECT_EQ(height, kEditorHeight);

    // A click on Bypass writes it on and the switches it excludes off, as the effect would.
    host->click(window(), kBypassX, kBypassY);
    idleFor(100);
    const uint32_t bypass = lv2ports::parameterPort(kBypass);
    std::vector<std::pair<uint32_t, float>> writes;
    for (const HostEvent& e : events)
        if (!e.touch) writes.emplace_back(e.port, e.value);
    const std::vector<std::pair<uint32_t, float>> expected = {
        {bypass, 1.0f},
        {lv2ports::parameterPort(kScPreview), 0.0f},
        {lv2ports::parameterPort(kDelta), 0.0f}};
    EXPECT_EQ(writes, expected);
    events.clear();
    idleFor(500); // no double click

    // A drag upwards on Threshold: a touch, rising writes of its port only, a release.
    const uint32_t threshold = lv2ports::parameterPort(kThreshold);
    host->moveTo(window(), kThresholdX, kThresholdY);
    idleFor(20);
    host->buttonDown(1);
    idleFor(20);
    host->dragTo(window(), kThresholdX, kThresholdY, kThresholdX, kThresholdY - 60, 10,
                 [this] { idleFor(20); });
    host->buttonUp(1);
    idleFor(100);
    ASSERT_GE(events.size(), 5u);
    EXPECT_TRUE(events.front().touch && events.front().port == threshold &&
                events.front().value == 1);
    EXPECT_TRUE(events.back().touch && events.back().port == threshold && events.back().value == 0);
    for (size_t i = 1; i + 1 < events.size(); ++i)
    {
        EXPECT_FALSE(events[i].touch);
        EXPECT_EQ(events[i].port, threshold);
        if (i > 1)
        {
            EXPECT_GE(events[i].value, events[i - 1].value);
        }
    }
    EXPECT_GT(events[events.size() - 2].value, kFactoryPresets[7].values[kThreshold]);
}

// A host's ui:scaleFactor sizes the window in device pixels from the start.
class Lv2UiScaledTest : public Lv2UiTest
{
  protected:
    void SetUp() override
    {
        scaleOption = 1.5f;
        Lv2UiTest::SetUp();
    }
};

TEST_F(Lv2UiScaledTest, TheHostsScaleFactorSizesTheWindow)
{
    EXPECT_EQ(resizedWidth, 1035);
    EXPECT_EQ(resizedHeight, 405);
    int width = 0, height = 0;
    ASSERT_TRUE(host->windowSize(window(), width, height));
    EXPECT_EQ(width, 1035);
    EXPECT_EQ(height, 405);
}
} // namespace
