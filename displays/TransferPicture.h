#pragma once

#include "TransferCurve.h"

#include <cstdint>

class CDrawContext;

// The transfer-curve picture on a black square of kTransferSide logical pixels: a faint band
// over the lower half of the knee, the dark unity diagonal, the red line at threshold plus
// make-up, the curve and the grey outline. Data are drawn on the context's device grid, so the
// same picture comes out sharp at any device scale: the editor's display draws it at the
// window's scale, the mixer-strip picture at whatever size the host asks for.
constexpr std::int32_t kTransferSide = 130;
void drawTransferPicture(CDrawContext& context, const TransferCurveSettings& settings);

// Device row of an output level in dB (0 dB at the top edge), as the curve places it.
std::int32_t transferDeviceRow(const CDrawContext& context, double outputDb);
