#pragma once

#include "AudioEffectX.h"
#include "CControl.h"
#include "CFrame.h"
#include "ParameterIds.h"
#include "VstTemplate.h"
#include "VstTemplateGUI.h"
#include "platform/TickClock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// What the plug-in told the host: automation and edit gestures, in order.
struct HostCall
{
    VstInt32 opcode;
    VstInt32 index;
    float value;
};

std::vector<HostCall>& hostCalls();
VstIntPtr VSTCALLBACK recordingHost(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                    VstIntPtr value, void* ptr, float opt);
// "begin 3", "automate 3", "end 3", ... with consecutive automations of one index merged.
std::vector<std::string> gestureSummary();

// The real effect with its real editor, on a clock the test moves by hand.
class EditorFixture : public ::testing::Test
{
  public:
    CFrame* frame() const { return editor->getFrame(); }

  protected:
    EditorFixture();
    ~EditorFixture() override;

    CFrame* open();
    CControl* control(int viewNumber) const; // 1-based, in creation order
    void click(int x, int y, int32_t buttons = kLButton);
    void drag(CPoint from, CPoint to, int32_t buttons = kLButton, int steps = 10);

    ManualTickSource clock{100000};
    VstTemplate* effect = nullptr;
    VstTemplateGUI* editor = nullptr;
};

// An effect whose meter readings the test sets directly, to drive the editor's refresh.
class ScriptedEffect : public AudioEffectX
{
  public:
    ScriptedEffect();
    void processReplacing(float**, float**, VstInt32) override {}
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;

    float values[kNumParams] = {};
    float gain = 1.0f;
    float slowLevel = -100.0f;
    float fastLevel = -100.0f;
    float active = 1.0f;
};

class ScriptedEditorFixture : public ::testing::Test
{
  protected:
    ScriptedEditorFixture();
    ~ScriptedEditorFixture() override;

    // Moves the clock and runs one host idle call.
    void idleAfter(uint32_t ms);
    void setReduction(float db);

    ManualTickSource clock{5000};
    ScriptedEffect* effect = nullptr;
    VstTemplateGUI* editor = nullptr;
};
