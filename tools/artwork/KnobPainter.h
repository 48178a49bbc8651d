#pragma once

class Canvas;

// The rotary knob film strip: 100 frames of 70 x 70 stacked vertically. Frame f shows the pointer
// at pointerAngle(f): 135 degrees left of 12 o'clock at frame 0, 135 degrees right at frame 99,
// the same travel the knob's circular drag uses.
namespace knob
{
constexpr int kFrames = 100;
constexpr int kSize = 70;
constexpr double kSweepDegrees = 270.0;

// Clockwise from 12 o'clock, in degrees.
double pointerAngle(int frame);
void paintStrip(Canvas& strip);
} // namespace knob
