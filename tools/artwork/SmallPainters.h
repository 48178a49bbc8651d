#pragma once

#include "Draw.h"
#include "EditorLayout.h"

class Canvas;

// The value-field backgrounds, lamps and the about panel. All of these are drawn by the editor
// without alpha blending, so every pixel of them is opaque.
namespace small
{
// A recessed dark window for a value text drawn by code (the whole canvas).
void paintValueField(Canvas& field);

// Two 12 x 12 frames, dark above and lit below. The square around the LED is the panel's own
// pixels at `place`, so the lamp blends into the panel however it is drawn. The LED keeps to
// columns 2 to 9: the two lamps' rectangles share two columns, which stay pure panel.
void paintLamp(Canvas& strip, const Canvas& panel, const Box& place, const Rgb& lit);

// The about panel; the web address occupies exactly rows kLinkTop to kLinkBottom.
constexpr int kLinkTop = 39;
constexpr int kLinkBottom = 48;
constexpr int kLinkLeft = 12;
void paintAbout(Canvas& about);
} // namespace small
