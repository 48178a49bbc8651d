#pragma once

#include "Draw.h"
#include "EditorLayout.h"

// The panel's pieces that follow the views' rectangles.
namespace parts
{
void hLine(cairo_t* cr, double x0, double x1, double y, const Rgb& c, double alpha);
void vLine(cairo_t* cr, double x, double y0, double y1, const Rgb& c, double alpha);
// A groove: dark line with a catch-light to its right.
void engravedVLine(cairo_t* cr, double x, double y0, double y1);
void engravedHLine(cairo_t* cr, double x0, double x1, double y);
// A rounded hollow in the panel filled with `fill`, lit from above.
void recess(cairo_t* cr, const Box& box, double radius, const Rgb& fill);

// Shadowed sockets and the scale ticks around the film-strip knobs.
void knobSockets(cairo_t* cr);
// One-pixel bevels around the value-field images of the displays and text knobs.
void fieldBezels(cairo_t* cr);
// Shadows under the button caps and the selector.
void buttonWells(cairo_t* cr);
void captions(cairo_t* cr);
// A dimmer caption inside the display well, centred on x.
void wellCaption(cairo_t* cr, const char* text, double centreX, double baseline);
} // namespace parts
