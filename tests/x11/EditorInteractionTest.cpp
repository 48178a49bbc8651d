// The plug-in's editor in a host window on an X server, operated with real input through
// XTest: the parameter values and the host calls that result, and the pixels on the screen
// against the editor drawn without a window in the same state.

#include "EditorTestFixture.h"
#include "PngFiles.h"

#include <X11/keysym.h>

#include <cmath>
#include <cstdio>
#include <sstream>

namespace
{
constexpr int kThreshold = 3;
constexpr int kBypass = 16;
constexpr int kMeterScale = 18;
constexpr int kNumParams = 21;
// Centres of the controls the tests operate.
constexpr int kThresholdX = 142, kThresholdY = 83;
constexpr int kBypassX = 567, kBypassY = 239;
constexpr int kScaleX = 532, kScaleY = 120;
constexpr int kVersionX = 600, kVersionY = 10;
constexpr int kPanelX = 450, kPanelY = 150;
// The about panel's area.
constexpr int kPanelLeft = 374, kPanelTop = 44, kPanelRight = 574, kPanelBottom = 194;

std::string describe(const std::vector<HostCall>& calls)
{
    std::ostringstream text;
    for (const HostCall& call : calls)
    {
        const char* name = call.opcode == audioMasterAutomate    ? "automate"
                           : call.opcode == audioMasterBeginEdit ? "begin"
                                                                 : "end";
        text << name << " " << call.index;
        if (call.opcode == audioMasterAutomate) text << "=" << call.value;
        text << "; ";
    }
    return text.str();
}

// One gesture on `index`: a begin, at least `minAutomations` automations of that index with
// values moving in one direction, and an end; nothing else.
void expectOneGesture(const std::vector<HostCall>& calls, int index, size_t minAutomations,
                      float finalValue)
{
    SCOPED_TRACE(describe(calls));
    ASSERT_GE(calls.size(), minAutomations + 2);
    EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls.front().index, index);
    EXPECT_EQ(calls.back().opcode, audioMasterEndEdit);
    EXPECT_EQ(calls.back().index, index);
    int direction = 0;
    for (size_t i = 1; i + 1 < calls.size(); ++i)
    {
        EXPECT_EQ(calls[i].opcode, audioMasterAutomate);
        EXPECT_EQ(calls[i].index, index);
        if (i > 1)
        {
            const int step = calls[i].value > calls[i - 1].value   ? 1
                             : calls[i].value < calls[i - 1].value ? -1
                                                                   : 0;
            if (direction == 0) direction = step;
            EXPECT_TRUE(step == 0 || step == direction) << "automation turned back at " << i;
        }
    }
    EXPECT_FLOAT_EQ(calls[calls.size() - 2].value, finalValue);
}

std::vector<uint32_t> region(const std::vector<uint32_t>& pixels, int width, int left, int top,
                             int right, int bottom)
{
    std::vector<uint32_t> part;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            part.push_back(pixels[static_cast<size_t>(y) * width + x]);
    return part;
}

class EditorInteractionTest : public EditorTestFixture
{
  protected:
    void SetUp() override
    {
        EditorTestFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        effect = newEffect();
        ASSERT_NE(effect, nullptr);
        ASSERT_TRUE(openEditor(effect, parent));
        editor = editorWindowIn(parent);
        ASSERT_NE(editor, 0u);
        idleFor(effect);
    }

    // What the user does, each step followed by the host's idle calls.
    void moveTo(int x, int y)
    {
        host->moveTo(editor, x, y);
        idleFor(effect, 20);
    }
    void press(unsigned button = 1)
    {
        host->buttonDown(button);
        idleFor(effect, 20);
    }
    void release(unsigned button = 1)
    {
        host->buttonUp(button);
        idleFor(effect, 40);
    }
    void click(int x, int y, unsigned button = 1)
    {
        moveTo(x, y);
        press(button);
        release(button);
        // Far enough apart that no two clicks make a double click.
        idleFor(effect, 450);
    }
    // Vertical drag from the threshold knob's centre, in steps of 10 pixels (up is negative).
    void dragThreshold(int dy)
    {
        moveTo(kThresholdX, kThresholdY);
        press();
        const int steps = std::abs(dy) / 10;
        for (int i = 1; i <= steps; ++i)
            moveTo(kThresholdX, kThresholdY + (dy < 0 ? -10 : 10) * i);
        release();
    }
    void setFromHost(int index, float value)
    {
        effect->setParameter(effect, index, value);
        idleFor(effect, 40);
        HostCallLog::instance().clear();
    }
    std::vector<HostCall> calls() const { return HostCallLog::instance().callsOf(effect); }
    std::vector<uint32_t> screen()
    {
        host->sync();
        return host->capture(editor, kEditorWidth, kEditorHeight);
    }

    AEffect* effect = nullptr;
    Window editor = 0;
};
} // namespace

TEST_F(EditorInteractionTest, EditorWindowHasTheSizeTheEditorReports)
{
    ERect* rect = nullptr;
    ASSERT_EQ(dispatch(effect, effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    int width = 0, height = 0;
    ASSERT_TRUE(host->windowSize(editor, width, height));
    EXPECT_EQ(width, rect->right - rect->left);
    EXPECT_EQ(height, rect->bottom - rect->top);
    EXPECT_EQ(width, kEditorWidth);
    EXPECT_EQ(height, kEditorHeight);
    EXPECT_TRUE(host->isViewable(editor));
}

TEST_F(EditorInteractionTest, DraggingTheThresholdKnobIsOneGestureOfAutomation)
{
    setFromHost(kThreshold, 0.5f);
    dragThreshold(-60);
    // 60 pixels of a 600-pixel range.
    EXPECT_NEAR(parameter(effect, kThreshold), 0.6f, 1e-5f);
    expectOneGesture(calls(), kThreshold, 2, parameter(effect, kThreshold));

    // Downwards: a second gesture of its own.
    HostCallLog::instance().clear();
    dragThreshold(40);
    EXPECT_NEAR(parameter(effect, kThreshold), 0.6f - 40.0f / 600.0f, 1e-5f);
    expectOneGesture(calls(), kThreshold, 2, parameter(effect, kThreshold));
}

TEST_F(EditorInteractionTest, ShiftDragMovesFiveTimesMoreFinely)
{
    setFromHost(kThreshold, 0.5f);
    host->keyDown(XK_Shift_L);
    dragThreshold(-60);
    host->keyUp(XK_Shift_L);
    idleFor(effect, 20);
    // 60 pixels of a 3000-pixel range.
    EXPECT_NEAR(parameter(effect, kThreshold), 0.52f, 1e-5f);
    expectOneGesture(calls(), kThreshold, 2, parameter(effect, kThreshold));
}

TEST_F(EditorInteractionTest, ControlClickResetsTheKnobToItsDefault)
{
    setFromHost(kThreshold, 0.7f);
    host->keyDown(XK_Control_L);
    click(kThresholdX, kThresholdY);
    host->keyUp(XK_Control_L);
    idleFor(effect, 20);
    EXPECT_EQ(parameter(effect, kThreshold), 0.0f);
    const std::vector<HostCall> seen = calls();
    SCOPED_TRACE(describe(seen));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(seen[1].opcode, audioMasterAutomate);
    EXPECT_EQ(seen[1].index, kThreshold);
    EXPECT_EQ(seen[1].value, 0.0f);
    EXPECT_EQ(seen[2].opcode, audioMasterEndEdit);
}

TEST_F(EditorInteractionTest, EachWheelNotchMovesTheKnobByATenthInAGestureOfItsOwn)
{
    setFromHost(kThreshold, 0.5f);
    moveTo(kThresholdX, kThresholdY);
    press(4);
    release(4);
    EXPECT_NEAR(parameter(effect, kThreshold), 0.6f, 1e-5f);
    press(5);
    release(5);
    press(5);
    release(5);
    EXPECT_NEAR(parameter(effect, kThreshold), 0.4f, 1e-5f);
    const std::vector<HostCall> seen = calls();
    SCOPED_TRACE(describe(seen));
    ASSERT_EQ(seen.size(), 9u);
    for (size_t notch = 0; notch < 3; ++notch)
    {
        EXPECT_EQ(seen[notch * 3].opcode, audioMasterBeginEdit);
        EXPECT_EQ(seen[notch * 3 + 1].opcode, audioMasterAutomate);
        EXPECT_EQ(seen[notch * 3 + 2].opcode, audioMasterEndEdit);
    }
}

TEST_F(EditorInteractionTest, ClickingBypassSwitchesItOn)
{
    setFromHost(kBypass, 0.0f);
    click(kBypassX, kBypassY);
    EXPECT_EQ(parameter(effect, kBypass), 1.0f);
    expectOneGesture(calls(), kBypass, 1, 1.0f);
}

TEST_F(EditorInteractionTest, LeftAndRightClicksStepTheMeterScale)
{
    setFromHost(kMeterScale, 0.0f);
    click(kScaleX, kScaleY, 1);
    EXPECT_EQ(parameter(effect, kMeterScale), 0.25f);
    click(kScaleX, kScaleY, 3);
    EXPECT_EQ(parameter(effect, kMeterScale), 0.0f);
    click(kScaleX, kScaleY, 2); // the middle button does nothing
    EXPECT_EQ(parameter(effect, kMeterScale), 0.0f);
}

TEST_F(EditorInteractionTest, TheVersionTextOpensTheAboutPanelAndAClickOnItClosesIt)
{
    const int w = kEditorWidth;
    const auto before = region(screen(), w, kPanelLeft, kPanelTop, kPanelRight, kPanelBottom);
    click(kVersionX, kVersionY);
    const std::vector<uint32_t> withPanel = screen();
    writeRgbPng("editor-about-x11.png", withPanel, kEditorWidth, kEditorHeight);
    const auto open = region(withPanel, w, kPanelLeft, kPanelTop, kPanelRight, kPanelBottom);
    int worst = 0;
    const int changed = countDifferent(before, open, 0, worst);
    // The panel covers the transfer-function display almost entirely.
    EXPECT_GT(changed, static_cast<int>(before.size()) / 2);

    // While the panel is up, it takes the clicks: the bypass button below is not reached
    // through it, and a click on the panel closes it.
    click(kPanelX, kPanelY);
    const auto closed = region(screen(), w, kPanelLeft, kPanelTop, kPanelRight, kPanelBottom);
    EXPECT_EQ(countDifferent(before, closed, 0, worst), 0);
    EXPECT_TRUE(calls().empty()) << describe(calls());
}

TEST_F(EditorInteractionTest, TheWindowShowsWhatTheEditorDrawsWithoutAWindowInTheSameState)
{
    PluginLibrary::SnapshotFunction snapshot = library().snapshotFunction();
    ASSERT_NE(snapshot, nullptr);

    // A session: a drag, a bypass, a meter-scale step, the about panel opened and closed.
    dragThreshold(-60);
    click(kBypassX, kBypassY);
    click(kScaleX, kScaleY, 1);
    click(kVersionX, kVersionY);
    click(kPanelX, kPanelY);
    idleFor(effect, 100);
    const std::vector<uint32_t> shown = screen();

    // The same parameters in a second instance, drawn without a window.
    AEffect* twin = newEffect();
    ASSERT_NE(twin, nullptr);
    for (int i = 0; i < kNumParams; ++i)
        twin->setParameter(twin, i, parameter(effect, i));
    ASSERT_EQ(snapshot(twin, nullptr, 0), 1);
    for (int i = 0; i < 10; ++i)
    {
        snapshot(twin, nullptr, 30);
        idleEditor(twin);
    }
    const std::string drawnPath = "editor-headless.png";
    ASSERT_EQ(snapshot(twin, drawnPath.c_str(), 0), 1);
    std::vector<uint32_t> drawn;
    int width = 0, height = 0;
    ASSERT_TRUE(readRgbPng(drawnPath, drawn, width, height));
    ASSERT_EQ(width, kEditorWidth);
    ASSERT_EQ(height, kEditorHeight);
    writeRgbPng("editor-x11.png", shown, kEditorWidth, kEditorHeight);
    writeRgbPng("editor-in-host-window.png", host->capture(parent, kParentWidth, kParentHeight),
                kParentWidth, kParentHeight);

    int worst = 0;
    const int different = countDifferent(shown, drawn, 2, worst);
    EXPECT_EQ(different, 0) << "largest channel difference " << worst
                            << " (pictures: editor-x11.png, editor-headless.png)";
}

TEST_F(EditorInteractionTest, ArrowKeysStepTheTextKnobLastClickedFromTheWindowAndFromTheHost)
{
    constexpr int kDetection = 0;
    setFromHost(kDetection, 0.5f);
    // A click without movement changes nothing but makes the knob the one keys go to.
    click(45, 58);
    EXPECT_EQ(parameter(effect, kDetection), 0.5f);
    // The test server has no window manager: keys go to the window under the pointer.
    host->keyDown(XK_Up);
    host->keyUp(XK_Up);
    idleFor(effect, 40);
    EXPECT_NEAR(parameter(effect, kDetection), 0.6f, 1e-5f);
    host->keyDown(XK_Shift_L);
    host->keyDown(XK_Left);
    host->keyUp(XK_Left);
    host->keyUp(XK_Shift_L);
    idleFor(effect, 40);
    EXPECT_NEAR(parameter(effect, kDetection), 0.59f, 1e-5f);

    // Hosts that take the keys themselves hand them over with the key opcode.
    constexpr VstIntPtr kVirtualKeyDown = 14;
    EXPECT_EQ(dispatch(effect, effEditKeyDown, 0, kVirtualKeyDown, nullptr, 0.0f), 1);
    EXPECT_NEAR(parameter(effect, kDetection), 0.49f, 1e-5f);
}

TEST_F(EditorInteractionTest, InCircularKnobModeAPressSetsTheKnobToThePointersAngle)
{
    ASSERT_EQ(dispatch(effect, effSetEditKnobMode, 0, 0), 1);
    setFromHost(kThreshold, 0.5f);
    // Three o'clock: 5/4 pi of the knob's 3/2 pi sweep from its lower-left start.
    moveTo(kThresholdX + 25, kThresholdY);
    press();
    release();
    // The knob mode belongs to the whole library: back to linear for what follows.
    dispatch(effect, effSetEditKnobMode, 0, 2);
    EXPECT_NEAR(parameter(effect, kThreshold), 5.0f / 6.0f, 0.01f);
    expectOneGesture(calls(), kThreshold, 1, parameter(effect, kThreshold));
}

// Told a factor of 2 while open, the window doubles and the same gestures in its pixels (twice
// the distances, at twice the coordinates) change the same parameters by the same amounts.
TEST_F(EditorInteractionTest, AtScaleTwoTheSameGesturesGiveTheSameChanges)
{
    ASSERT_EQ(dispatch(effect, effVendorSpecific, vstFourCC('P', 'r', 'e', 'S'),
                       vstFourCC('A', 'e', 'C', 's'), nullptr, 2.0f),
              1);
    idleFor(effect, 40);
    int width = 0, height = 0;
    ASSERT_TRUE(host->windowSize(editor, width, height));
    EXPECT_EQ(width, 2 * kEditorWidth);
    EXPECT_EQ(height, 2 * kEditorHeight);
    // The host follows with its own window (the screen shows its left 924 device pixels).
    XResizeWindow(host->get(), parent, 2 * kEditorWidth, 2 * kEditorHeight);
    host->sync();
    idleFor(effect, 40);

    setFromHost(kThreshold, 0.5f);
    moveTo(2 * kThresholdX, 2 * kThresholdY);
    press();
    for (int i = 1; i <= 6; ++i)
        moveTo(2 * kThresholdX, 2 * kThresholdY - 20 * i);
    release();
    EXPECT_NEAR(parameter(effect, kThreshold), 0.6f, 1e-5f);
    expectOneGesture(calls(), kThreshold, 2, parameter(effect, kThreshold));

    // The LO COLOR button and the filter selector's lowest and highest thirds, at their
    // logical centres doubled (and one device pixel further, the same logical pixel).
    constexpr int kLfHarmonics = 12, kScFilterType = 1;
    setFromHost(kLfHarmonics, 0.0f);
    click(2 * 385 + 1, 2 * 226 + 1);
    EXPECT_EQ(parameter(effect, kLfHarmonics), 1.0f);
    expectOneGesture(calls(), kLfHarmonics, 1, 1.0f);
    setFromHost(kScFilterType, 0.0f);
    click(2 * 46, 2 * 160);
    EXPECT_EQ(parameter(effect, kScFilterType), 1.0f);
    click(2 * 46 + 1, 2 * 110 + 1);
    EXPECT_EQ(parameter(effect, kScFilterType), 0.0f);
}
