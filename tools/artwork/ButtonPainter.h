#pragma once

class Canvas;

// Push buttons and the three-way selector. Everything outside the cap is fully transparent, so
// the panel's own shading shows around it and overlapping neighbours never collide.
namespace button
{
// Two frames stacked vertically: off (dark) above, on (lit blue) below. `lines` are one or two
// label lines; with `ledBar` a small indicator bar sits above the label.
void paintTwoState(Canvas& strip, const char* const* lines, int lineCount, bool ledBar);

// Three frames of 55 x 71: one entry per third of the height, frame i with entry i lit.
void paintSelector(Canvas& strip, const char* const* labels, int count);
} // namespace button
