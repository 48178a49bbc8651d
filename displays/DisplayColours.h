#pragma once

#include "CColor.h"

// Colours shared by the plug-in's own displays.
namespace displaycolours
{
constexpr CColor kWellOutline = {66, 66, 66, 255};
constexpr CColor kCyan = {0, 204, 255, 255};
constexpr CColor kCyanEdge = {51, 215, 255, 255};
constexpr CColor kAlarmRed = {255, 20, 0, 255};
constexpr CColor kCornerShade = {0, 0, 0, 100};
} // namespace displaycolours

class CDrawContext;

// Darkens the four corner pixels of a w x h picture so the grey outline looks rounded.
void shadeCorners(CDrawContext& context, int w, int h);

// Fills the w x h well black and outlines it in dark grey, clipped to the well.
void drawWell(CDrawContext& context, int w, int h);
