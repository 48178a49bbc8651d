#pragma once

#include "Draw.h"

// The product's colours, shared by every image so the parts match on screen.
namespace palette
{
constexpr Rgb kPanelTop{54, 56, 60};
constexpr Rgb kPanelBottom{41, 43, 46};
constexpr Rgb kHeader{25, 26, 29};
constexpr Rgb kCaption{212, 215, 220};
constexpr Rgb kCaptionDim{150, 154, 160};
constexpr Rgb kEngraveDark{22, 23, 25};
constexpr Rgb kEngraveLight{78, 80, 85};
constexpr Rgb kWell{2, 2, 3};
constexpr Rgb kFieldFill{15, 16, 18};

// The lit colour of buttons, selector and the fast lamp (the meters' cyan family).
constexpr Rgb kLitBlue{0, 170, 255};
constexpr Rgb kLitBlueSoft{120, 210, 255};
constexpr Rgb kLitRed{255, 40, 16};
constexpr Rgb kLink{70, 160, 255};

constexpr TextStyle kCaptionStyle{8.0, true, 1};
constexpr TextStyle kWellCaptionStyle{8.0, true, 1};
constexpr TextStyle kButtonStyle{7.5, true, 1};
constexpr TextStyle kSelectorStyle{8.0, true, 0};
} // namespace palette
