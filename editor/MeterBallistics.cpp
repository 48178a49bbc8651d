#include "MeterBallistics.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr float kRestLevelDb = -100.0f;

// Counters add dt as a floating-point number and truncate back; the sum saturates instead of
// wrapping so a window left open for weeks cannot restart a wait.
std::uint32_t addMs(std::uint32_t counter, std::uint32_t dtMs)
{
    const double sum = double(counter) + double(dtMs);
    return sum >= 4294967295.0 ? 0xffffffffu : static_cast<std::uint32_t>(sum);
}

// A reading that is not a number (a poisoned engine state) must not stick in the display.
float sane(float value, float fallback, float lo, float hi)
{
    if (std::isnan(value)) return fallback;
    return std::clamp(value, lo, hi);
}

} // namespace

float MeterBallistics::reductionDb(float gain)
{
    // -20 log10(g), in single precision as the meter always computed it.
    const float gr = -std::log(gain) * 8.685889f;
    return sane(gr, 0.0f, -200.0f, 200.0f);
}

void MeterBallistics::update(std::uint32_t dtMs, const MeterReadings& readings, bool live)
{
    const float gr = reductionDb(readings.gain);
    updateDisplayed(dtMs, gr, live);
    updateHold(dtMs, gr, live);
    followLevel(fastDb, dtMs, readings.fastLevel, live);
    followLevel(slowDb, dtMs, readings.slowLevel, live);
}

void MeterBallistics::updateDisplayed(std::uint32_t dtMs, float gr, bool live)
{
    if (!live)
    {
        grDisplayDb = 0.0f;
    }
    else if (gr >= grDisplayDb)
    {
        grDisplayDb = gr;
    }
    else if (grDisplayDb > 0.0f)
    {
        // The 40 ms wait is never re-armed: it delays only the first fall of this editor.
        grFallDelayMs = addMs(grFallDelayMs, dtMs);
        if (grFallDelayMs > 40) grDisplayDb -= std::min(grDisplayDb - gr, 0.0085f * float(dtMs));
    }
}

void MeterBallistics::updateHold(std::uint32_t dtMs, float gr, bool live)
{
    if (!live)
    {
        grHoldDb = 0.0f;
    }
    else if (gr >= grHoldDb)
    {
        grHoldDb = gr;
        grHoldCounterMs = 0;
    }
    else if (grHoldDb > 0.0f)
    {
        grHoldCounterMs = addMs(grHoldCounterMs, dtMs);
        if (grHoldCounterMs > 2999) grHoldDb -= std::min(grHoldDb - gr, 0.001f * float(dtMs));
    }
}

void MeterBallistics::followLevel(float& displayed, std::uint32_t dtMs, float reading, bool live)
{
    const float level = sane(reading, kRestLevelDb, -400.0f, 100.0f);
    if (!live)
        displayed = kRestLevelDb;
    else if (level >= displayed)
        displayed = level;
    else if (displayed > kRestLevelDb)
        displayed -= std::min(displayed - level, 0.012f * float(dtMs));
}

LampChange MeterBallistics::updateLamps(std::uint32_t dtMs, bool slowBelowFast, float fastLevel,
                                        float slowLevel)
{
    if (slowBelowFast) return LampChange::fastOn;
    if (fastLevel > slowLevel)
    {
        lampCounterMs = 0;
        return LampChange::fastOn;
    }
    lampCounterMs = addMs(lampCounterMs, dtMs);
    return lampCounterMs > 60 ? LampChange::slowOn : LampChange::keep;
}

bool RefreshGate::due(std::uint32_t nowMs, std::uint32_t& dtMs)
{
    dtMs = nowMs - lastMs;
    if (dtMs <= 25) return false;
    lastMs = nowMs;
    return true;
}
