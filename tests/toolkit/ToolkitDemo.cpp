// One of each stock control over the product panel, operated by synthetic mouse events on a
// headless frame; the finished picture is written as a PNG.
#include "vstgui.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>

namespace
{
constexpr int kPanelWidth = 690;
constexpr int kPanelHeight = 270;

// Plays the editor's part: records gestures and lets displays follow their knobs.
class DemoEditor : public VSTGUIEditorInterface, public CControlListener
{
  public:
    void beginEdit(int32_t index) override { std::printf("begin edit %d\n", index); }
    void endEdit(int32_t index) override { std::printf("end edit %d\n", index); }
    void doIdleStuff() override
    {
        if (frame) frame->idle();
    }
    void valueChanged(CControl* control) override
    {
        auto it = displays.find(control->getTag());
        if (it != displays.end()) it->second->setValue(control->getValue());
        control->setDirty(true);
    }
    void attach(CFrame* f) { frame = f; }

    std::map<int32_t, CParamDisplay*> displays;
};

// A plain dark panel for builds without the artwork.
class PlainPanel : public CView
{
  public:
    using CView::CView;
    void draw(CDrawContext* context) override
    {
        context->setFillColor(MakeCColor(38, 40, 44));
        context->fillRect(size);
        setDirty(false);
    }
};

void thresholdText(float v, char* t)
{
    std::snprintf(t, 64, v == 0.f ? "0 dB" : "%3.0f dB", -50.0 * v);
}
void kneeText(float v, char* t)
{
    std::snprintf(t, 64, "%3.0f dB", 20.0 * v);
}
void ratioText(float v, char* t)
{
    if (v > 0.9f)
        std::snprintf(t, 64, "8:1");
    else if (v > 0.8f)
        std::snprintf(t, 64, "4:1");
    else
        std::snprintf(t, 64, "%3.1f:1", 1.0 + 2.0 * v / 0.8);
}
void timeText(float v, char* t)
{
    const double ms = 1999.9 * v * v * v + 0.1;
    if (ms < 10)
        std::snprintf(t, 64, "%3.1f ms", ms);
    else if (ms < 1000)
        std::snprintf(t, 64, "%3.0f ms", ms);
    else
        std::snprintf(t, 64, "%3.1f s", ms / 1000);
}
void attackText(float v, char* t)
{
    const double ms = 499.9 * v * v * v + 0.1;
    std::snprintf(t, 64, ms < 10 ? "%3.1f ms" : "%3.0f ms", ms);
}
void makeUpText(float v, char* t)
{
    const double db = v < 0.5f ? -60.0 * (1 - 2 * v) * (1 - 2 * v) : 36.0 * v - 18.0;
    std::snprintf(t, 64, "%3.1f dB", db);
}
void dryMixText(float v, char* t)
{
    if (v <= 0)
        std::snprintf(t, 64, "Out");
    else
        std::snprintf(t, 64, "%3.1f dB", 60.0 * v - 60.0);
}
void freqText(float v, char* t)
{
    std::snprintf(t, 64, "%3.0f Hz", std::exp((v + 1e-6f) * std::log(10.f) + std::log(30.f)));
}
void versionText(float, char* t)
{
    std::snprintf(t, 64, "version 1.0.0 [?]");
}

struct KnobPlace
{
    int32_t tag;
    CRect knob;
    float value;
    CParamDisplayValueToString text;
};

void drag(CFrame& frame, CPoint from, CPoint to, int32_t buttons = kLButton)
{
    frame.onMouseDown(from, buttons);
    const int steps = 10;
    for (int i = 1; i <= steps; ++i)
    {
        CPoint p(from.h + (to.h - from.h) * i / steps, from.v + (to.v - from.v) * i / steps);
        frame.onMouseMoved(p, buttons);
    }
    frame.onMouseUp(to, 0);
}

void click(CFrame& frame, CPoint where, int32_t buttons = kLButton)
{
    frame.onMouseDown(where, buttons);
    frame.onMouseUp(where, 0);
}
} // namespace

int main(int argc, char** argv)
{
    const char* out = argc > 1 ? argv[1] : "toolkit-demo.png";
    DemoEditor editor;
    CBitmap* background = new CBitmap(201);
    auto frame = std::make_unique<CFrame>(CRect(0, 0, kPanelWidth, kPanelHeight), nullptr, &editor);
    editor.attach(frame.get());
    if (background->isLoaded())
        frame->setBackground(background);
    else
        frame->addView(new PlainPanel(CRect(0, 0, kPanelWidth, kPanelHeight)));
    background->forget();

    CBitmap* knobStrip = new CBitmap(202);
    CBitmap* field = new CBitmap(203);
    CFontDesc* valueFont = new CFontDesc("Arial", 10);
    CFontDesc* versionFont = new CFontDesc("Arial", 9);

    auto* version = new CParamDisplay(CRect(574, 3, 724, 18), nullptr, 2);
    version->setFont(versionFont);
    version->setFontColor(MakeCColor(120, 120, 120));
    version->setStringConvert(versionText);
    frame->addView(version);

    const KnobPlace knobs[] = {
        {3, CRect(107, 48, 177, 118), 0.f, thresholdText},
        {5, CRect(261, 48, 331, 118), 0.4f, ratioText},
        {4, CRect(184, 48, 254, 118), 0.f, kneeText},
        {10, CRect(607, 48, 677, 118), 0.5f, makeUpText},
        {9, CRect(607, 171, 677, 241), 0.f, dryMixText},
        {6, CRect(107, 171, 177, 241), 0.31f, attackText},
        {7, CRect(184, 171, 254, 241), 0.425f, timeText},
        {8, CRect(261, 171, 331, 241), 0.5f, timeText},
        {2, CRect(11, 171, 81, 241), 0.475f, freqText},
    };
    std::map<int32_t, CAnimKnob*> knobViews;
    for (const KnobPlace& k : knobs)
    {
        auto* knob = new CAnimKnob(k.knob, &editor, k.tag, knobStrip);
        knob->setValue(k.value);
        knob->setDefaultValue(k.value);
        knob->setTransparency(true);
        frame->addView(knob);
        knobViews[k.tag] = knob;
    }
    for (const KnobPlace& k : knobs)
    {
        CRect r(k.knob.left + 11, k.knob.bottom, k.knob.left + 62, k.knob.bottom + 18);
        auto* display = new CParamDisplay(r, nullptr, 1);
        display->setBackground(field);
        display->setBackOffset(CPoint(0, -1));
        display->setFont(valueFont);
        display->setFontColor(MakeCColor(250, 250, 250));
        display->setStringConvert(k.text);
        display->setValue(k.value);
        frame->addView(display);
        editor.displays[k.tag] = display;
    }

    CBitmap* switchImage = new CBitmap(212);
    auto* scType = new CVerticalSwitch(CRect(19, 100, 74, 171), &editor, 1, 3, 71, 3, switchImage);
    scType->setTransparency(true);
    frame->addView(scType);
    const std::pair<int32_t, CRect> buttons[] = {{17, CRect(487, 214, 542, 239)},
                                                 {12, CRect(358, 214, 413, 239)},
                                                 {11, CRect(410, 214, 465, 239)},
                                                 {16, CRect(540, 214, 595, 264)},
                                                 {15, CRect(487, 237, 542, 262)}};
    const std::map<int32_t, int32_t> buttonImages = {
        {17, 210}, {12, 208}, {11, 207}, {16, 205}, {15, 209}};
    for (const auto& [tag, rect] : buttons)
    {
        CBitmap* image = new CBitmap(buttonImages.at(tag));
        auto* button = new COnOffButton(rect, &editor, tag, image);
        image->forget();
        button->setTransparency(true);
        frame->addView(button);
    }
    CBitmap* blueLamp = new CBitmap(215);
    CBitmap* redLamp = new CBitmap(216);
    auto* fastLamp = new CMovieBitmap(CRect(246, 154, 258, 166), &editor, 504, blueLamp);
    auto* slowLamp = new CMovieBitmap(CRect(256, 154, 268, 166), &editor, 505, redLamp);
    frame->addView(fastLamp);
    frame->addView(slowLamp);
    for (CBitmap* b : {knobStrip, field, switchImage, blueLamp, redLamp})
        b->forget();
    valueFont->forget();
    versionFont->forget();
    frame->idle();

    // Operate the panel as a user would.
    drag(*frame, CPoint(140, 80), CPoint(140, -100));                   // threshold 180 px up
    drag(*frame, CPoint(290, 80), CPoint(380, 80));                     // ratio 90 px right
    drag(*frame, CPoint(220, 80), CPoint(220, -40), kLButton | kShift); // knee, fine
    drag(*frame, CPoint(640, 200), CPoint(640, 20));                    // dry mix up
    drag(*frame, CPoint(640, 80), CPoint(640, 80 - 60));                // make-up
    click(*frame, CPoint(220, 200), kLButton | kControl);               // release: default
    click(*frame, CPoint(40, 135));                                     // SC filter 3dB HP
    click(*frame, CPoint(430, 225));                                    // HI COLOR on
    click(*frame, CPoint(380, 225));                                    // LO COLOR on
    frame->onWheel(CPoint(140, 200), 2.f, 0);                           // attack, two notches
    fastLamp->setValue(1.f);
    frame->idle();

    for (const auto& [tag, knob] : knobViews)
        std::printf("knob %d = %.3f (frame %d)\n", tag, knob->getValue(), knob->frameIndex());
    std::printf("switch = %.2f, lamps = %.0f %.0f\n", scType->getValue(), fastLamp->getValue(),
                slowLamp->getValue());
    // What a full repaint of the panel costs (every view, background included).
    const auto start = std::chrono::steady_clock::now();
    const int repaints = 20;
    for (int i = 0; i < repaints; ++i)
        frame->draw();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("full repaint: %.2f ms\n", ms / repaints);

    if (!frame->writePng(out))
    {
        std::fprintf(stderr, "cannot write %s\n", out);
        return 1;
    }
    std::printf("wrote %s\n", out);
    return 0;
}
