#pragma once

#include "EngineDesign.h"
#include "FeedbackLoopEncoding.h"
#include "GainComputer.h"
#include "HalfBandFilter.h"
#include "Harmonics.h"
#include "LatencyBudget.h"
#include "LevelDetector.h"
#include "NoiseTables.h"
#include "SideChainFilter.h"
#include "StereoDelay.h"

// The audio thread's side of the engine: every signal state, the tables, and the two paths.
// Coefficients arrive as whole EngineDesign sets through adopt().
class EngineCore
{
  public:
    EngineCore();
    EngineCore(const EngineCore&) = delete;
    EngineCore& operator=(const EngineCore&) = delete;

    void adopt(const EngineDesign& design);
    void reset();

    // left/right: a block of input frames on entry, the output on return. dryL/dryR, unless
    // null, receive the input as the output mixes it in, delayed by the latency.
    void processOversampled(double* left, double* right, int frames, double* dryL, double* dryR);
    void processDirect(double* left, double* right, int frames, double* dryL, double* dryR);

    double gainOut = 1.0;
    double levelFast() const { return detector.levelFast(); }
    double levelSlow() const { return detector.levelSlow(); }

    const NoiseTables& tables() const { return noiseTables; }

  private:
    enum class Path
    {
        None,
        Oversampled,
        Direct
    };
    void enter(Path path);
    template <class Run> void inCheckedRuns(int frames, Run run);
    void oversampledBlock(double* left, double* right, int frames, double* dryL, double* dryR);
    void directBlock(double* left, double* right, int frames, double* dryL, double* dryR);
    using BlockPasses = void (EngineCore::*)(double*, double*, int, double*, double*);
    void inBlocks(BlockPasses baseline, BlockPasses wide, double* left, double* right, int frames,
                  double* dryL, double* dryR);
    int noiseRun(int start, int first, int frames, const double* left, const double* right,
                 double scale, double* outL, double* outR);
    // The block's passes at the SSE2 baseline, or with the 256-bit vectors of AVX.
    void oversampledBlockBaseline(double* left, double* right, int frames, double* dryL,
                                  double* dryR);
    void oversampledBlockWide(double* left, double* right, int frames, double* dryL, double* dryR);
    void directBlockBaseline(double* left, double* right, int frames, double* dryL, double* dryR);
    void directBlockWide(double* left, double* right, int frames, double* dryL, double* dryR);
    struct AudiblePath;
    template <int SamplesPerFrame> struct Differences;
    template <int SamplesPerFrame> Differences<SamplesPerFrame> differences();
    template <int SamplesPerFrame>
    void uncolouredRun(AudiblePath& audible, const Differences<SamplesPerFrame>& out, int begin,
                       int end);
    // Avx: compiled only into the encodings that need AVX (see fastSplitGainOfBoundedSteps).
    template <int SamplesPerFrame, bool Colouring, bool Avx> void feedbackRun(int begin, int end);
    template <int SamplesPerFrame, bool Colouring> void feedbackRunBaseline(int begin, int end);
    template <int SamplesPerFrame, bool Colouring> void feedbackRunVex(int begin, int end);
    template <int SamplesPerFrame, bool Colouring> void feedbackRunEvex(int begin, int end);
    template <int SamplesPerFrame, bool Colouring> void feedbackRunIn(int begin, int end);
    template <int SamplesPerFrame> void feedbackAndOutput(int begin, int end);
    void previewInto(const double* left, const double* right, int frames);
    void mix(double* left, double* right, int frames, double* dryL, double* dryR);
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
    Path lastPath = Path::None;

    // The oversampled path: the up-sampler's input and the compressed samples of the even and
    // odd phases, each with the history the half-band filter reaches back to.
    HalfBandFilter halfBand;
    HalfBandStream upInput, evenPhase, oddPhase;

    // One block's working values: per frame the noise offset and a convolution's output; per
    // sample at the internal rate the loop's input, its gain and the difference signal.
    static constexpr int kBlock = HalfBandStream::kMaxFrames;
    struct Block
    {
        double noise[kBlock];
        double outL[kBlock], outR[kBlock];
        double xL[2 * kBlock], xR[2 * kBlock], gain[2 * kBlock];
        double dL[2 * kBlock], dR[2 * kBlock];
    } block;

    StereoDelay dryDelay;
    StereoDelay differenceDelay;
    const NoiseTables& noiseTables;
    // Read here, when the engine is made, so the audio thread never runs the one-time choice.
    const feedbackloop::Encoding loopEncoding;
};
