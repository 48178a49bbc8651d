#pragma once

// Where the editor's views sit in the 690 x 270 window (right and bottom exclusive), stated once:
// the editor places its views here and the artwork program paints the panel's captions, wells
// and bezels around the same rectangles. Header-only and free of the toolkit, so the artwork
// program can read it without linking the editor.
struct Box
{
    int l, t, r, b;

    constexpr int width() const { return r - l; }
    constexpr int height() const { return b - t; }
    constexpr double centreX() const { return (l + r) / 2.0; }
    constexpr double centreY() const { return (t + b) / 2.0; }
    constexpr Box moved(int dx, int dy) const { return {l + dx, t + dy, r + dx, b + dy}; }
    constexpr Box inset(int dx, int dy) const { return {l + dx, t + dy, r - dx, b - dy}; }
};

namespace layout
{
constexpr int kWidth = 690;
constexpr int kHeight = 270;

// A film-strip knob with the value display under it.
struct KnobPlace
{
    Box knob;
    Box display;
    const char* caption;
};

constexpr KnobPlace kThreshold{{107, 48, 177, 118}, {118, 118, 169, 136}, "THRESHOLD"};
constexpr KnobPlace kKnee{{184, 48, 254, 118}, {194, 118, 245, 136}, "KNEE"};
constexpr KnobPlace kRatio{{261, 48, 331, 118}, {271, 118, 322, 136}, "RATIO"};
constexpr KnobPlace kMakeUp{{607, 48, 677, 118}, {617, 118, 668, 136}, "MAKEUP"};
constexpr KnobPlace kAttack{{107, 171, 177, 241}, {118, 241, 169, 259}, "ATTACK"};
constexpr KnobPlace kRelease{{184, 171, 254, 241}, {194, 241, 245, 259}, "RELEASE FAST"};
constexpr KnobPlace kReleaseSlow{{261, 171, 331, 241}, {271, 241, 322, 259}, "RELEASE SLOW"};
constexpr KnobPlace kDryMix{{607, 171, 677, 241}, {617, 241, 668, 259}, "DRY MIX"};
constexpr KnobPlace kScFilterFreq{{11, 171, 81, 241}, {21, 241, 72, 259}, nullptr};

constexpr KnobPlace kKnobs[] = {kThreshold, kKnee,        kRatio,  kMakeUp,      kAttack,
                                kRelease,   kReleaseSlow, kDryMix, kScFilterFreq};

// Value displays draw their 51 x 17 image one row below the top of their rectangle.
constexpr Box displayImage(const Box& view)
{
    return {view.l, view.t + 1, view.l + 51, view.t + 18};
}

// Text knobs (value text dragged like a knob) draw their 49 x 19 image at (+1, +4).
constexpr Box kDetection{20, 45, 71, 71};
constexpr Box kLfAmount{358, 235, 409, 261};
constexpr Box kHfAmount{410, 235, 461, 261};
constexpr Box textKnobImage(const Box& view)
{
    return {view.l + 1, view.t + 4, view.l + 50, view.t + 23};
}

constexpr Box kScFilterType{19, 100, 74, 171};
constexpr Box kScPreview{487, 214, 542, 239};
constexpr Box kLfHarmonics{358, 214, 413, 239};
constexpr Box kHfHarmonics{410, 214, 465, 239};
constexpr Box kBypass{540, 214, 595, 264};
constexpr Box kDelta{487, 237, 542, 262};

constexpr Box kCompMeter{544, 57, 574, 187};
constexpr Box kLevelMeter{509, 57, 519, 187};
constexpr Box kScale{521, 52, 544, 187};
constexpr Box kTransfer{374, 57, 504, 187};

constexpr Box kFastLamp{246, 154, 258, 166};
constexpr Box kSlowLamp{256, 154, 268, 166};

// The version text is drawn by code here, cut by the window's right edge; the about panel opens
// over the displays.
constexpr Box kVersion{kWidth - 116, 3, kWidth + 34, 18};
constexpr Box kSplashArea{374, 44, 574, 194};

// Every view rectangle that paints something, for checking that no caption lies under one.
constexpr Box kViewRects[] = {
    kThreshold.knob,
    kKnee.knob,
    kRatio.knob,
    kMakeUp.knob,
    kAttack.knob,
    kRelease.knob,
    kReleaseSlow.knob,
    kDryMix.knob,
    kScFilterFreq.knob,
    kThreshold.display,
    kKnee.display,
    kRatio.display,
    kMakeUp.display,
    kAttack.display,
    kRelease.display,
    kReleaseSlow.display,
    kDryMix.display,
    kScFilterFreq.display,
    kDetection,
    kLfAmount,
    kHfAmount,
    kScFilterType,
    kScPreview,
    kLfHarmonics,
    kHfHarmonics,
    kBypass,
    kDelta,
    kCompMeter,
    kLevelMeter,
    kScale,
    kTransfer,
    kFastLamp,
    kSlowLamp,
    kVersion,
};

// Engraved grooves between the sections of the panel.
constexpr int kDividerX[] = {94, 348, 598};
constexpr int kDividerClearance = 4;

constexpr bool overlaps(const Box& a, const Box& b)
{
    return a.l < b.r && b.l < a.r && a.t < b.b && b.t < a.b;
}

// Buttons keep their visible cap this far inside their rectangle, so neighbours whose
// rectangles overlap by two or three pixels never paint over each other.
constexpr int kCapInsetX = 3;
constexpr int kCapInsetY = 2;
} // namespace layout
