#pragma once

// The "Meter Scale" parameter's four settings (6, 12, 24, 48 dB full scale), shared by the
// editor's scale and the mixer-strip picture.
namespace meterscale
{
// Setting 0 to 3 of a "Meter Scale" value.
int settingOf(float value);
// What the meters multiply gain reduction in dB by before halving: 4, 2, 1 or 0.5.
float meterFactor(float value);
// Label of tick i (every fourth tick is labelled) in dB of gain reduction.
int tickLabel(float value, int tick);
} // namespace meterscale
