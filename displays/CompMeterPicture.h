#pragma once

#include <cstdint>

class CDrawContext;

// The gain-reduction meter's picture in a w x h well (logical pixels): a bar hanging from row 2,
// ten pixels per unit of value, with a translucent hold bar behind it and a red strip when the
// hold overflows the kCompMeterMaxBar rows. Lengths are drawn on the device grid, so the bar
// moves in device-pixel steps at any scale.
constexpr std::int32_t kCompMeterMaxBar = 126;
void drawCompMeterPicture(CDrawContext& context, std::int32_t w, std::int32_t h, double value,
                          double hold);
