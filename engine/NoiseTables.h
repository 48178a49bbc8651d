#pragma once

// The tiny offsets the engine adds to keep its recursions away from denormals and exact zeros,
// and the two dither tables whose summed entries form the output dither. Built once from a
// seeded 32-bit linear congruential generator, so every instance sounds the same.
class NoiseTables
{
  public:
    // Table lengths: the number of values drawn for each, which fixes where the dither's draws
    // start in the generator's sequence, so they are part of the sound.
    static constexpr int kNoiseSize = 2050;
    static constexpr int kDitherSize = 50002;

    // The per-frame code reads entries 1..cycle of each table, round and round. The two dither
    // cycles are coprime, so their sum repeats only after 50000 * 49999 = 2 499 950 000 frames
    // (nearly 16 hours at 44.1 kHz), not after 50000.
    static constexpr int kNoiseCycle = 2047;
    static constexpr int kDitherCycleA = 50000;
    static constexpr int kDitherCycleB = 49999;
    static_assert(kNoiseCycle < kNoiseSize, "the noise cycle reads past its table");
    static_assert(kDitherCycleA < kDitherSize && kDitherCycleB < kDitherSize,
                  "a dither cycle reads past its table");

    // index % cycle for an index below twice the cycle, as every counter of these tables is: a
    // compare in place of a division, so a counter's step from one frame to the next, which the
    // per-frame passes wait on, stays short.
    static int wrap(int index, int cycle) { return index >= cycle ? index - cycle : index; }
    // How many frames a counter that reads entry index + 1 and then wraps can run from index
    // with no wrap among them: at least one, so that a counter left at the cycle's end (as a
    // change of path can leave it) still moves on.
    static int framesBeforeWrap(int index, int cycle) { return index < cycle ? cycle - index : 1; }

    NoiseTables();
    NoiseTables(const NoiseTables&) = delete;

    // The tables every engine of the process reads: the same in every instance, so they are
    // built once, on first use from whichever thread comes first, and never change after.
    static const NoiseTables& shared();
    NoiseTables& operator=(const NoiseTables&) = delete;

    // Dither amplitude A = 10^(-136/20); each dither entry lies in -A/2..1.5A.
    static double ditherAmplitude();

    double noise[kNoiseSize];
    double ditherA[kDitherSize];
    double ditherB[kDitherSize];
};

// The generator: state * 214013 + 2531011 modulo 2^32, drawing bits 16 to 30 (0..32767).
class Lcg
{
  public:
    explicit Lcg(unsigned seed) : state(seed) {}
    int draw()
    {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFFu);
    }

  private:
    unsigned state;
};
