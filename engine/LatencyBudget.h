#pragma once

#include "HalfBandCoefficients.h"

// The engine's latency in host frames, added up from the parts that cause it. The dry signal is
// delayed by kFrames; each path must deliver its difference signal exactly that late, or the
// two would comb when mixed.
namespace latency
{
// The audible path lags the feedback loop: difference sample k is x(k - 2) g(k - 1), so it
// leaves the loop two internal samples after its input arrived.
constexpr int kLoopDelay = 2;

// Oversampled path, in internal samples: the up-sampler's centre tap, the loop, the
// down-sampler's centre tap (both filters are linear phase, so their delay is the centre
// index). Two internal samples make one host frame.
constexpr int kOversampledDelay = kHalfBandCentre + kLoopDelay + kHalfBandCentre;
static_assert(kOversampledDelay % 2 == 0, "the oversampled path must end on a whole frame");
constexpr int kFrames = kOversampledDelay / 2;

// Direct path: the loop, then a plain delay that makes up the rest.
constexpr int kDifferenceDelay = kFrames - kLoopDelay;
} // namespace latency
