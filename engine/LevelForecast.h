#pragma once

// The detector's two levels as the gain computer will read them, each an affine function of
// the detector's newest value v (the level of the louder channel, dB): level = slope v + offset.
// The slopes come from the smoothing coefficients and the offsets from the envelope states
// before v, all known long before v is: the feedback loop then waits on v through one
// multiplication and one addition where the plain order (smooth, smooth again, subtract the
// offset, subtract the threshold, scale, add the noise, smooth) waits through seven.
// After a reset the levels are -100 whatever v is.
struct LevelForecast
{
    double v = 0.0;
    double fastSlope = 0.0, fastOffset = -100.0;
    double slowSlope = 0.0, slowOffset = -100.0;
};
