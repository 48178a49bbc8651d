// Compiled into the plug-in module itself (like its entry point), so that the export is not
// hidden with the static libraries' symbols.

#include "EditorSnapshotExport.h"

#include "AEffGUIEditor.h"
#include "AudioEffect.h"
#include "CFrame.h"
#include "ExportMacro.h"
#include "platform/TickClock.h"

OFC_EXPORT int OrvaneEditorSnapshot(AEffect* effect, const char* pngPath, unsigned int elapsedMs);

namespace
{
ManualTickSource& snapshotClock()
{
    // Starts where the system clock stands, so the editor's last refresh time stays valid.
    static ManualTickSource clock(getTickCount());
    static const bool installed = (setTickSource(&clock), true);
    (void)installed;
    return clock;
}

AEffGUIEditor* editorOf(AEffect* effect)
{
    AudioEffect* owner = AudioEffect::ownEffect(effect);
    return owner ? dynamic_cast<AEffGUIEditor*>(owner->getEditor()) : nullptr;
}
} // namespace

int OrvaneEditorSnapshot(AEffect* effect, const char* pngPath, unsigned int elapsedMs)
{
    AEffGUIEditor* editor = editorOf(effect);
    if (!editor) return 0;
    ManualTickSource& clock = snapshotClock();
    if (!editor->getFrame())
    {
        if (!editor->open(nullptr) || !editor->getFrame()) return 0;
        // From here on the editor's time is the snapshot clock's: its meters refresh at the
        // same instants of the fed audio on every run and every platform.
        editor->restartRefreshClock();
    }
    clock.advance(elapsedMs);
    if (!pngPath) return 1;
    CFrame* frame = editor->getFrame();
    frame->idle();
    return frame->writePng(pngPath) ? 1 : 0;
}
