#pragma once

class Canvas;

// The 690 x 270 background: brushed dark-grey panel, title strip, captions, the display well and
// the sockets, bezels and wells that the views sit in.
namespace panel
{
void paint(Canvas& panel);
} // namespace panel
