#pragma once

class AEffEditor;
class AudioEffectX;

// Defined by the editor library. Creates the effect's editor, whose constructor attaches it to
// the effect; answers null when no editor can be made (the effect then simply has none).
AEffEditor* createEditor(AudioEffectX* effect);
