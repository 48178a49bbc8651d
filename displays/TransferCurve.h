#pragma once

// The static law the transfer-curve display plots: soft-knee downward compression of the wet
// signal plus make-up, summed in amplitude with the untouched dry signal. Both axes run at
// two pixels per dB with 0 dB at the top and right edges of the 130-pixel square.
struct TransferCurveSettings
{
    double threshold = 0.0;      // dB, 0 to -50
    double slope = 1.0;          // 1 / ratio; 1 means no compression
    double knee = 0.0;           // dB, half the knee width on the input axis
    double makeUp = 0.0;         // dB applied to the wet signal
    double dryAttenuation = 0.0; // dB of the dry signal below the input
};

// Slope for the normalised "Ratio" value: a continuous 1:1 to 3:1 up to 0.8, then 4:1 and 8:1.
double transferSlopeForRatio(double normalisedRatio);

// Row (pixels below the top edge, not yet truncated) of the output level for the input level
// that lies `pixelsFromRight` pixels left of the right edge.
double transferCurveRow(const TransferCurveSettings& settings, double pixelsFromRight);
