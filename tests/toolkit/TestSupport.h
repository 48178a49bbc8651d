#pragma once

#include "CColor.h"
#include "CControl.h"
#include "CControlListener.h"
#include "VSTGUIEditorInterface.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CBitmap;

// PNG data of a width x height RGBA image whose pixels come from `pixel(x, y)`.
std::vector<unsigned char> encodeTestPng(int width, int height,
                                         const std::function<CColor(int, int)>& pixel);

// A vertical film strip of `frames` frames of frameWidth x frameHeight; every pixel of frame
// i is stripColor(i), so the frame shown can be read back from any pixel.
CBitmap* makeStripBitmap(int frameWidth, int frameHeight, int frames);
CColor stripColor(int frame);
// The frame whose colour `c` is, or -1.
int stripFrameOf(CColor c);

// Records the gestures a frame forwards to its editor.
class FakeEditor : public VSTGUIEditorInterface
{
  public:
    void beginEdit(int32_t index) override { events.push_back("begin " + std::to_string(index)); }
    void endEdit(int32_t index) override { events.push_back("end " + std::to_string(index)); }
    void doIdleStuff() override
    {
        ++idleCalls;
        if (onIdle) onIdle();
    }
    int32_t getKnobMode() const override { return knobMode; }
    void attach(CFrame* f) { frame = f; }

    std::vector<std::string> events;
    int idleCalls = 0;
    int32_t knobMode = kLinearMode;
    std::function<void()> onIdle;
};

// Records what controls tell their listener, in order.
class RecordingListener : public CControlListener
{
  public:
    void valueChanged(CControl* control) override
    {
        events.push_back("changed " + std::to_string(control->getTag()));
        values.push_back(control->getValue());
    }
    int32_t controlModifierClicked(CControl*, int32_t buttons) override
    {
        modifierClicks.push_back(buttons);
        return consumeModifierClicks;
    }
    void controlBeginEdit(CControl* c) override
    {
        events.push_back("listener begin " + std::to_string(c->getTag()));
    }
    void controlEndEdit(CControl* c) override
    {
        events.push_back("listener end " + std::to_string(c->getTag()));
    }
    int changedCount() const { return static_cast<int>(values.size()); }

    std::vector<std::string> events;
    std::vector<float> values;
    std::vector<int32_t> modifierClicks;
    int32_t consumeModifierClicks = 0;
};

// Counts destructions, to see reference counts reach zero.
class CountedView : public CControl
{
  public:
    CountedView(const CRect& r, int* destroyed, CControlListener* l = nullptr, int32_t tag = 0)
        : CControl(r, l, tag), destroyed(destroyed)
    {
    }
    ~CountedView() override { ++*destroyed; }
    CMouseEventResult onMouseDown(CPoint& where, const int32_t& buttons) override
    {
        presses.push_back(where);
        lastButtons = buttons;
        return answer;
    }
    CMouseEventResult onMouseMoved(CPoint& where, const int32_t&) override
    {
        moves.push_back(where);
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseUp(CPoint& where, const int32_t&) override
    {
        releases.push_back(where);
        return kMouseEventHandled;
    }

    int* destroyed;
    CMouseEventResult answer = kMouseEventHandled;
    std::vector<CPoint> presses, moves, releases;
    int32_t lastButtons = 0;
};
