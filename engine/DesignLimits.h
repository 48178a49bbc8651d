#pragma once

// Filter designs take frequencies in Hz and a rate in Hz. A design frequency at or above the
// Nyquist frequency has no meaningful response (the 12 kHz harmonics low-pass at 16 kHz
// internal rate would divide by zero or place its poles outside the unit circle), so every
// design frequency is held to at most 0.45 of the rate it is designed for. At 44.1 kHz and
// above nothing the engine designs comes near that bound.
inline double limitDesignFrequency(double frequency, double rate)
{
    const double highest = 0.45 * rate;
    if (!(frequency <= highest)) return highest;
    if (!(frequency > 0.0)) return 1e-3;
    return frequency;
}
