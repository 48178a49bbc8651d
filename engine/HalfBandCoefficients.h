#pragma once

// The engine's linear-phase half-band low-pass: 304 slots, centre at 150, cut-off at a quarter
// of the oversampled rate. Odd offsets from the centre carry the values, even ones are zero,
// slots 300 to 303 are zero, and all slots sum to 1.
//
// Why even offsets are zero: a half-band filter is a windowed sin(pi m / 2) / (pi m), which
// vanishes at every even m but 0. Symmetry about the centre (h[c - m] = h[c + m]) makes the
// filter linear phase, delaying every frequency by exactly kHalfBandCentre samples.
constexpr int kHalfBandSlots = 304;
constexpr int kHalfBandCentre = 150;
// Offsets m = 1, 3, ..., kHalfBandCentre - 1 on each side.
constexpr int kHalfBandOddOffsets = kHalfBandCentre / 2;

void fillHalfBandCoefficients(double* slots);
