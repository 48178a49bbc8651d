#pragma once

#include "AEffEditor.h"
#include "EditorAccess.h"
#include "VSTGUIEditorInterface.h"
#include "platform/EditorThreadScope.h"

#include <cstdint>
#include <memory>

// The bridge between the effect's editor interface and the toolkit: owns the frame while the
// window is open, runs the frame's repaint from the host's idle calls, and turns the
// controls' gestures into the host's begin/end edit calls.
class AEffGUIEditor : public AEffEditor, public VSTGUIEditorInterface
{
  public:
    // The editor reaches its effect through `access` alone, whatever the plug-in format; the
    // first form leaves it to the caller, which must keep it alive longer than the editor.
    explicit AEffGUIEditor(EditorAccess& access);
    explicit AEffGUIEditor(std::unique_ptr<EditorAccess> ownAccess);
    ~AEffGUIEditor() override;

    bool getRect(ERect** rect) override;
    // Keeps the parent window; a derived editor builds its frame and answers true.
    bool open(void* parentWindow) override;
    // Destroys the frame and with it every view.
    void close() override;
    // Open while a frame exists, with or without a system window (off-screen rendering).
    bool isOpen() override { return frame != nullptr; }
    // Repaints whatever is dirty, unless a control's gesture is already running idle work.
    void idle() override;
    bool onKeyDown(VstKeyCode& keyCode) override;
    bool onKeyUp(VstKeyCode& keyCode) override;
    bool onWheel(float distance) override;
    // The host's knob mode is the toolkit's process-wide mode.
    bool setKnobMode(VstInt32 mode) override;
    // The host's factor (1 to 2) overrides the system's from now on; an open window is
    // redrawn at it and the host asked to resize it.
    bool setScaleFactor(float factor) override;
    virtual void draw(ERect* rect);
    // Times the next meter refresh from now, as if the editor had just been made: a host that
    // takes over the editor's clock (the snapshot export) gets the same refresh instants
    // however long the editor existed before.
    virtual void restartRefreshClock() {}

    // VSTGUIEditorInterface
    void beginEdit(int32_t index) override;
    void endEdit(int32_t index) override;
    void doIdleStuff() override;
    // The host's factor if it gave one; else, for a window on screen, the system's; else 1.
    double getScaleFactor() const override;

    EditorAccess* getAccess() const { return access; }

  protected:
    ERect rect{};

  private:
    // rect, at the factor a window opened now would get.
    void updateScaledRect();

    // First member: OLE is up before anything else of the editor exists, down after.
    EditorThreadScope threadScope;
    std::unique_ptr<EditorAccess> ownedAccess;
    EditorAccess* access;
    uint32_t nextIdleTicks;
    bool inIdleStuff = false;
    ERect scaledRect{};
    double hostScale = 0; // 0 until the host says
};
