#pragma once

#include "LatencyBudget.h"

// The compressor's whole audio path for one effect instance. The effect owns one engine,
// hands it physical values through the setters (any thread) and runs process from the audio
// thread.
//
// Threads: the setters, setSampleRate included, may run on any thread while the audio thread
// processes. Each only stores its value (a relaxed atomic, which the getters read back) and
// marks what it changes; the audio thread re-designs the marked parts at the start of its
// next block. So no setter waits, and the audio thread never waits for one: a VST 2.4 host
// calls setters on its audio thread too. Neither side allocates. reset belongs between blocks.
//
// Bad input: setSampleRate keeps the last valid rate unless given a finite rate from 1000 to
// 768000 Hz. Setters ignore NaN and infinite values and clamp the rest to the parameter ranges
// (threshold -50..0 dB, knee 0..20 dB, ratio slope -4..1, attack 0.1..500.1 ms, releases
// 0.1..2000.1 ms, detection 0..600, side-chain frequency 30..300 Hz, gains 0..7.95, amounts
// 0..1); a value within its range is stored and read back exactly. Non-finite input samples
// leave the output finite again within kRecoveryFrames frames of finite input.

class CompressorEngine
{
  public:
    CompressorEngine();
    ~CompressorEngine();
    CompressorEngine(const CompressorEngine&) = delete;
    CompressorEngine& operator=(const CompressorEngine&) = delete;

    // Host frames from input to output, in both paths; the effect reports it, and its bypassed
    // signal is the input delayed by as much (see process).
    static constexpr int kLatency = latency::kFrames;
    static constexpr int kRecoveryFrames = 400;
    // The host rates the engine can be designed for; setSampleRate ignores any other.
    static constexpr double kMinSampleRate = 1000.0;
    static constexpr double kMaxSampleRate = 768000.0;

    void setSampleRate(double hostRate);
    void reset();

    // The gain and the detector's levels after a block's last frame, for the meters.
    struct Meters
    {
        double gain = 1.0, levelFast = -100.0, levelSlow = -100.0;
    };

    // left/right: a block of input frames on entry, the output on return. A setting stored
    // while the block runs takes effect at the next block. process runs the path belonging to
    // the host rate it has just taken over: the oversampled path below 70000 Hz, the direct
    // path from there on. The other two run the path they name whatever the rate. A block of
    // no frames only takes the settings over. delayedL/delayedR, unless null, receive the input
    // delayed by kLatency frames, which the engine keeps for its dry signal anyway: the
    // effect's bypassed output.
    void process(double* left, double* right, int frames, Meters& meters,
                 double* delayedL = nullptr, double* delayedR = nullptr);
    void processOversampled(double* left, double* right, int frames, Meters& meters);
    void processDirect(double* left, double* right, int frames, Meters& meters);

    // One frame; the same as a block of one.
    void processFrameOversampled(double& left, double& right, double& gain, double& fast,
                                 double& slow);
    void processFrameDirect(double& left, double& right, double& gain, double& fast, double& slow);

    // Setters, physical units.
    void setDetection(double timeMs);
    void setSideChainType(float normalised);
    void setSideChainFrequency(float hz);
    void setSideChainPreview(bool on);
    void setThreshold(double dB);
    void setKnee(double dB);
    void setRatio(double slope);
    void setAttack(double ms);
    void setRelease(double ms);
    void setReleaseSlow(double ms);
    void setMixDry(double gain);
    void setMakeUpGain(double gain);
    void setHfHarmonics(bool on);
    void setLfHarmonics(bool on);
    void setHfAmount(double amount);
    void setLfAmount(double amount);
    void setDelta(bool on);

    // Read-back of what the setters stored, for the effect's tests and diagnostics.
    double getHostRate() const;
    double getInternalRate() const;
    double getDetection() const;
    int getSideChainType() const;
    double getSideChainFrequency() const;
    bool getSideChainPreview() const;
    double getThreshold() const;
    double getKnee() const;
    double getRatio() const;
    double getAttack() const;
    double getRelease() const;
    double getReleaseSlow() const;
    double getMixDry() const;
    double getMakeUpGain() const;
    bool getHfHarmonics() const;
    bool getLfHarmonics() const;
    double getHfAmount() const;
    double getLfAmount() const;
    bool getDelta() const;

    // The half-band kernel this processor runs ("sse2", "avx2", "avx2fma", "avx512", "avx512fma").
    static const char* halfBandKernelName();

  private:
    struct State;
    State* s;
};
