#pragma once

#include "EngineDesign.h"
#include "GainComputer.h"
#include "HalfBandFir.h"
#include "Harmonics.h"
#include "LevelDetector.h"
#include "NoiseTables.h"
#include "SideChainFilter.h"
#include "StereoDelay.h"

// The audio thread's side of the engine: every signal state, the tables, and the per-frame
// paths. Coefficients arrive as whole EngineDesign sets through adopt().
class EngineCore
{
  public:
    static constexpr int kLatency = 151;

    EngineCore();
    EngineCore(const EngineCore&) = delete;
    EngineCore& operator=(const EngineCore&) = delete;

    void adopt(const EngineDesign& design);
    void reset();

    void frameOversampled(double& left, double& right);
    void frameDirect(double& left, double& right);

    double gainOut = 1.0;
    double levelFast() const { return detector.levelFast; }
    double levelSlow() const { return detector.levelSlow; }

    // Test access to the blocks.
    HalfBandFir& upSampler() { return up; }
    HalfBandFir& downSampler() { return down; }
    const NoiseTables& tables() const { return noiseTables; }

  private:
    void compressSample(double& xL, double& xR, double n);
    void mix(double& left, double& right, double eL, double eR);
    void sanitizeNowAndThen();

    // Hot per-sample state first.
    GainComputer gainComputer;
    LevelDetector detector;
    SideChainFilter sideChain;
    Harmonics harmonics;
    double x1L = 0.0, x1R = 0.0, x2L = 0.0, x2R = 0.0, gPrev = 0.0;
    bool preview = false, delta = false;
    double makeUp = 1.0, dry = 1.0;
    int noiseIndex = 0;
    int ditherI = 0, ditherJ = 0;
    int framesToCheck = 0;

    HalfBandFir up;
    HalfBandFir down;
    StereoDelay dryDelay;
    StereoDelay differenceDelay;
    const NoiseTables& noiseTables;
};
