#pragma once

// The plug-in's one export beside its VST entry points: the editor rendered off-screen, for
// tools that want a picture of the window without a display (ofc-host snapshot).
//
//   int OrvaneEditorSnapshot(AEffect* effect, const char* pngPath, unsigned int elapsedMs);
//
// On its first call the editor's millisecond clock in this process stops following the system
// clock and moves only by the `elapsedMs` of each call, so a tool that feeds audio faster or
// slower than real time still sees the meters move as they would live. Each call
//   1. opens the effect's editor without a window if it is not open yet,
//   2. advances the clock by elapsedMs,
//   3. with a non-null pngPath, paints whatever is dirty and writes the window's picture
//      (690 x 270 RGBA) to that file.
// The tool drives the meters between calls the way a host does, with effEditIdle.
// Answers 1 on success, 0 for a null or foreign effect, an effect without editor, or a file
// that cannot be written.
#define OFC_EDITOR_SNAPSHOT_SYMBOL "OrvaneEditorSnapshot"

struct AEffect;
typedef int (*OrvaneEditorSnapshotFunction)(AEffect* effect, const char* pngPath,
                                            unsigned int elapsedMs);
