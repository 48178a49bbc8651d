#pragma once

#include <cstdint>

// What the effect publishes for the meters, read once per refresh.
struct MeterReadings
{
    float gain = 1.0f;         // linear gain-reduction factor, 1 = no reduction
    float slowLevel = -100.0f; // dB
    float fastLevel = -100.0f; // dB
};

// How the two release lamps should change after a refresh.
enum class LampChange
{
    keep,
    fastOn, // fast lamp lit, slow lamp dark
    slowOn  // slow lamp lit, fast lamp dark
};

// The editor's display smoothing of the meters: instant rise, timed fall, peak hold. It is
// driven by the milliseconds since the previous refresh, so the fall rates hold at any idle
// rate, and it keeps no clock of its own so tests can drive it step by step.
class MeterBallistics
{
  public:
    // Applies one refresh `dtMs` after the previous one. `live` is false while the effect is
    // suspended or previewing its side chain; the meters then rest.
    void update(std::uint32_t dtMs, const MeterReadings& readings, bool live);

    // Decides the release lamps. `slowBelowFast`: "Release Slow" is set shorter than "Release",
    // so the fast release always rules.
    LampChange updateLamps(std::uint32_t dtMs, bool slowBelowFast, float fastLevel,
                           float slowLevel);

    // A new threshold or ratio makes the held reduction meaningless.
    void clearHold() { grHoldDb = 0.0f; }

    float displayedReductionDb() const { return grDisplayDb; }
    float heldReductionDb() const { return grHoldDb; }
    float fastLevelDb() const { return fastDb; }
    float slowLevelDb() const { return slowDb; }

    // Gain reduction in dB (positive while reducing) of a linear gain factor.
    static float reductionDb(float gain);

  private:
    void updateDisplayed(std::uint32_t dtMs, float gr, bool live);
    void updateHold(std::uint32_t dtMs, float gr, bool live);
    static void followLevel(float& displayed, std::uint32_t dtMs, float reading, bool live);

    std::uint32_t grHoldCounterMs = 0;
    std::uint32_t grFallDelayMs = 0;
    std::uint32_t lampCounterMs = 0;
    float grHoldDb = 0.0f;
    float grDisplayDb = 0.0f;
    float fastDb = -70.0f;
    float slowDb = -70.0f;
};

// Refreshes at most once per 25 ms of a wrapping 32-bit millisecond clock.
class RefreshGate
{
  public:
    explicit RefreshGate(std::uint32_t nowMs) : lastMs(nowMs) {}

    // True when a refresh is due; `dtMs` then holds the time since the previous one.
    bool due(std::uint32_t nowMs, std::uint32_t& dtMs);

  private:
    std::uint32_t lastMs;
};
