#pragma once

// The editor's images by name. The numbers are the resource ids the images travel under (PNG
// resources of the Windows DLL, the embedded table on Linux) and the names of their files in
// resources/, so they cannot change.
namespace image
{
constexpr int kBackground = 201;
constexpr int kKnobStrip = 202;
constexpr int kValueField = 203;
constexpr int kTextKnobField = 204;
constexpr int kBypass = 205;
constexpr int kAutoMakeUp = 206; // painted, not used by the editor
constexpr int kHiColor = 207;
constexpr int kLoColor = 208;
constexpr int kDelta = 209;
constexpr int kScPreview = 210;
constexpr int kAboveBelow = 211; // painted, not used by the editor
constexpr int kScFilterSelector = 212;
constexpr int kAButton = 213; // painted, not used by the editor
constexpr int kAboutPanel = 214;
constexpr int kFastLamp = 215;
constexpr int kSlowLamp = 216;

constexpr int kFirst = kBackground;
constexpr int kLast = kSlowLamp;

// Every image also travels at twice its size, for screens that show the editor scaled: image
// id + kDoubleSize (301 to 316), from <id>@2x.png.
constexpr int kDoubleSize = 100;
} // namespace image
