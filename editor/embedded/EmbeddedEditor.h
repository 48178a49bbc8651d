#pragma once

#include "EffectEditorAccess.h"
#include "OrvaneEffect.h"

#include <atomic>
#include <cstdint>
#include <memory>

class VstTemplateGUI;

// The editor of a plug-in format whose editor lives in the same object as the effect (VST3,
// CLAP). It listens to the effect, so every change (automation, interlocks, program loads)
// reaches the controls from whichever thread made it; the window is made on the first open and
// the editor then kept for the effect's life, so the audio thread's echoes never meet a
// destroyed editor. open, close, idle and setScaleFactor belong to the host's user-interface
// thread.
class EmbeddedEditor : private ParameterListener
{
  public:
    // Becomes the effect's listener; both must outlive this.
    EmbeddedEditor(OrvaneEffect& effect, EditorHost& host);
    ~EmbeddedEditor() override;
    EmbeddedEditor(const EmbeddedEditor&) = delete;
    EmbeddedEditor& operator=(const EmbeddedEditor&) = delete;

    // A child window of `parent` (an X11 window id or an HWND); false if none could be made.
    bool open(void* parent);
    void close();
    bool isOpen() const;
    void idle();
    // The host's scale (1 to 2); an open window is redrawn at it and the host asked to resize.
    void setScaleFactor(double factor);
    // The window's size in device pixels, at the scale it has or would open with.
    std::int32_t width();
    std::int32_t height();
    // The editor's own window while open (an X11 window id or an HWND), else null.
    void* window() const;
    // The editor window's own event connection to poll (the X11 display's), or -1.
    int eventDescriptor() const;

  private:
    void parameterChanged(std::int32_t index, float value) override;
    VstTemplateGUI& gui();

    OrvaneEffect& effect;
    EffectEditorAccess access;
    std::unique_ptr<VstTemplateGUI> ownedGui;
    std::atomic<VstTemplateGUI*> liveGui{nullptr};
};
