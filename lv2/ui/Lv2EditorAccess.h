#pragma once

#include "EditorAccess.h"
#include "Lv2Ports.h"

#include <lv2/ui/ui.h>

class AEffEditor;

// The editor's access to the LV2 plug-in, which a user interface reaches only through ports:
// the last value the host sent for each port is what the editor reads, and an edit is a port
// write. As the effect does for the VST 2.4 editor, an edit comes back to the editor at once,
// after the switches the edit turns off; those are written to their ports too, so the host's
// controls show what the plug-in holds. A gesture is the host's touch notification around the
// writes, where the host offers it.
class Lv2EditorAccess : public EditorAccess
{
  public:
    Lv2EditorAccess(LV2UI_Write_Function write, LV2UI_Controller controller,
                    const LV2UI_Touch* touch);
    void setEditor(AEffEditor* shownIn) { editor = shownIn; }

    // A value the host sends for a port (float protocol).
    void portEvent(std::uint32_t port, float value);

    float parameter(std::int32_t index) override;
    void setParameterFromEditor(std::int32_t index, float value) override;
    void beginEdit(std::int32_t index) override;
    void endEdit(std::int32_t index) override;
    float meterValue(MeterValueIndex which) override;

  private:
    void write(std::int32_t index, float value);
    void show(std::int32_t index);
    void hostEnable(float value);

    LV2UI_Write_Function writePort;
    LV2UI_Controller controller;
    const LV2UI_Touch* touch;
    AEffEditor* editor = nullptr;
    float values[kNumParams];
    float meters[3];
    // The plug-in runs: the host has sent meter values.
    bool running = false;
    // The host's enable switch (Ardour's bypass button), "enabled" until it says otherwise.
    bool hostEnabled = true;
};
