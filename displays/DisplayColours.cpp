#include "DisplayColours.h"

#include "drawing/CDrawContext.h"

void shadeCorners(CDrawContext& context, int w, int h)
{
    context.setFillColor(displaycolours::kCornerShade);
    context.fillRect(CRect(0, 0, 1, 1));
    context.fillRect(CRect(w - 1, 0, w, 1));
    context.fillRect(CRect(0, h - 1, 1, h));
    context.fillRect(CRect(w - 1, h - 1, w, h));
}

void drawWell(CDrawContext& context, int w, int h)
{
    const CRect well(0, 0, w, h);
    context.setClipRect(well);
    context.setFillColor(kBlackCColor);
    context.setFrameColor(displaycolours::kWellOutline);
    context.drawRect(well, kDrawFilled);
    context.drawRect(well, kDrawStroked);
}
