#include "EditorTestSupport.h"

#include "PluginFactory.h"

#include <cmath>

std::vector<HostCall>& hostCalls()
{
    static std::vector<HostCall> calls;
    return calls;
}

VstIntPtr VSTCALLBACK recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*,
                                    float opt)
{
    switch (opcode)
    {
    case audioMasterVersion:
        return 2400;
    case audioMasterAutomate:
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
        hostCalls().push_back({opcode, index, opt});
        return 1;
    default:
        return 0;
    }
}

std::vector<std::string> gestureSummary()
{
    std::vector<std::string> summary;
    for (const HostCall& call : hostCalls())
    {
        const char* word = call.opcode == audioMasterBeginEdit ? "begin "
                           : call.opcode == audioMasterEndEdit ? "end "
                                                               : "automate ";
        std::string line = word + std::to_string(call.index);
        if (summary.empty() || summary.back() != line || call.opcode != audioMasterAutomate)
            summary.push_back(line);
    }
    return summary;
}

EditorFixture::EditorFixture()
{
    setTickSource(&clock);
    hostCalls().clear();
    effect = createPlugin(recordingHost);
    editor = dynamic_cast<VstTemplateGUI*>(effect->getEditor());
}

EditorFixture::~EditorFixture()
{
    delete effect;
    setTickSource(nullptr);
    setGlobalKnobMode(kLinearMode);
}

CFrame* EditorFixture::open()
{
    EXPECT_TRUE(editor->open(nullptr));
    frame()->idle(); // the first paint, as the host's first idle call brings it
    return frame();
}

CControl* EditorFixture::control(int viewNumber) const
{
    return dynamic_cast<CControl*>(frame()->getView(viewNumber - 1));
}

void EditorFixture::click(int x, int y, int32_t buttons)
{
    CPoint where(x, y);
    frame()->onMouseDown(where, buttons);
    frame()->onMouseUp(where, buttons & ~(kLButton | kRButton | kMButton));
}

void EditorFixture::drag(CPoint from, CPoint to, int32_t buttons, int steps)
{
    frame()->onMouseDown(from, buttons);
    for (int i = 1; i <= steps; ++i)
    {
        CPoint p(from.h + (to.h - from.h) * i / steps, from.v + (to.v - from.v) * i / steps);
        frame()->onMouseMoved(p, buttons);
    }
    frame()->onMouseUp(to, 0);
}

ScriptedEffect::ScriptedEffect() : AudioEffectX(recordingHost, 1, kNumParams)
{
    values[kRelease] = 0.425f;
    values[kReleaseSlow] = 0.5f;
}

void ScriptedEffect::setParameter(VstInt32 index, float value)
{
    if (!isParameterIndex(index)) return;
    values[index] = value;
    if (editor) editor->setParameter(index, value);
}

float ScriptedEffect::getParameter(VstInt32 index)
{
    if (isParameterIndex(index)) return values[index];
    switch (index)
    {
    case kMeterGain:
        return gain;
    case kMeterLevelSlow:
        return slowLevel;
    case kMeterLevelFast:
        return fastLevel;
    case kMeterActive:
        return active;
    default:
        return 0.0f;
    }
}

ScriptedEditorFixture::ScriptedEditorFixture()
{
    setTickSource(&clock);
    hostCalls().clear();
    effect = new ScriptedEffect();
    editor = static_cast<VstTemplateGUI*>(makeEditor(effect));
    effect->setEditor(editor); // the effect deletes it
    editor->open(nullptr);
}

ScriptedEditorFixture::~ScriptedEditorFixture()
{
    delete effect;
    setTickSource(nullptr);
}

void ScriptedEditorFixture::idleAfter(uint32_t ms)
{
    clock.advance(ms);
    editor->idle();
}

void ScriptedEditorFixture::setReduction(float db)
{
    effect->gain = std::pow(10.0f, -db / 20.0f);
}
