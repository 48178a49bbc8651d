#pragma once

// The engine's linear-phase half-band low-pass: 304 slots, centre at 150, cut-off at a quarter
// of the oversampled rate. Odd offsets from the centre carry the values, even ones are zero,
// slots 300 to 303 are zero, and all slots sum to 1.
constexpr int kHalfBandSlots = 304;
constexpr int kHalfBandCentre = 150;

void fillHalfBandCoefficients(double* slots);
