#pragma once

#include "EditorAccess.h"

class OrvaneEffect;

// What a plug-in format tells its host of the edits made in the editor: a value the user set
// (after the effect took it), and the gestures around a drag.
class EditorHost
{
  public:
    virtual ~EditorHost() = default;
    virtual void parameterEdited(std::int32_t index, float value) = 0;
    virtual void beginEdit(std::int32_t index) = 0;
    virtual void endEdit(std::int32_t index) = 0;
    virtual bool resizeWindow(std::int32_t /*width*/, std::int32_t /*height*/) { return false; }
};

// The editor's access to the effect itself, for formats whose editor lives beside the effect:
// it reads and sets the effect's parameters and meters, and tells the format's host of edits.
// The effect's listener then echoes every change, interlocks included, back to the editor.
class EffectEditorAccess : public EditorAccess
{
  public:
    EffectEditorAccess(OrvaneEffect& effect, EditorHost& host) : effect(effect), host(host) {}

    float parameter(std::int32_t index) override;
    void setParameterFromEditor(std::int32_t index, float value) override;
    void beginEdit(std::int32_t index) override;
    void endEdit(std::int32_t index) override;
    float meterValue(MeterValueIndex which) override;
    bool resizeWindow(std::int32_t width, std::int32_t height) override;

  private:
    OrvaneEffect& effect;
    EditorHost& host;
};
