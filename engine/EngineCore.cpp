#include "EngineCore.h"

#include "BlockLoops.h"
#include "FeedbackLoopEncoding.h"

#include <algorithm>

// The EVEX loop's struct copies in 16-byte moves: GCC does not realign the stack for wider ones
// on every target, and the copies are too few to pay for it. Clang realigns, and knows no such
// option.
#if defined(__clang__)
#define OFC_EVEX_TARGET "avx512f,avx512vl,avx512dq,avx512bw"
#else
#define OFC_EVEX_TARGET "avx512f,avx512vl,avx512dq,avx512bw,prefer-vector-width=128"
#endif

namespace
{
// Non-finite values that reach the recursive states (NaN or infinite input) are cleared on
// this period; the half-band histories and delays flush themselves in bounded time.
constexpr int kCheckPeriod = 64;
} // namespace

EngineCore::EngineCore()
    : dryDelay(latency::kFrames), differenceDelay(latency::kDifferenceDelay),
      noiseTables(NoiseTables::shared()), loopEncoding(feedbackloop::chosenEncoding())
{
    reset();
}

void EngineCore::adopt(const EngineDesign& d)
{
    gainComputer.setSettings(d.gain);
    detector.setSettings(d.detector);
    sideChain.setDesign(d.sideChain);
    harmonics.setDesign(d.harmonics);
    preview = d.preview;
    delta = d.delta;
    makeUp = d.makeUp;
    dry = d.dry;
}

void EngineCore::reset()
{
    gainComputer.reset();
    detector.reset();
    sideChain.reset();
    harmonics.reset();
    dryDelay.clear();
    differenceDelay.clear();
    upInput.reset();
    evenPhase.reset();
    oddPhase.reset();
    x1L = x1R = x2L = x2R = gPrev = 0.0;
    noiseIndex = 0;
    gainOut = 1.0;
    framesToCheck = kCheckPeriod;
    lastPath = Path::None;
}

// A path's histories were last filled at another rate, or not at all since the other path
// took over: whatever they hold (a non-finite value among it) must not come out now.
void EngineCore::enter(Path path)
{
    if (path == lastPath) return;
    if (path == Path::Oversampled)
    {
        upInput.reset();
        evenPhase.reset();
        oddPhase.reset();
    }
    else
        differenceDelay.clear();
    lastPath = path;
}

// The audible path runs two internal samples behind the loop (latency::kLoopDelay): difference
// k is x(k - 2) g(k - 1), reduced by the colourings, minus x(k - 2). g(k - 1) already heard
// x(k - 2) g(k - 2), so each audible sample gets a gain that has reacted to that sample itself.
// Only the difference leaves the engine's filters; the dry delay adds x back, so an
// uncompressed signal passes them almost untouched.
// A run works on local copies of the states: written through the block's pointers, members
// would have to be stored and reloaded on every sample, and the colouring filters' recursions
// would wait on each reload. Only the states go back: the coefficients were only read.
// Left and right share the lanes of one register.
struct EngineCore::AudiblePath
{
    explicit AudiblePath(EngineCore& e)
        : colouring(e.harmonics), a(_mm_set_pd(e.x1R, e.x1L)), b(_mm_set_pd(e.x2R, e.x2L)),
          gain(_mm_set1_pd(e.gPrev))
    {
    }
    void store(EngineCore& e) const
    {
        e.harmonics.copyStatesFrom(colouring);
        e.x1L = _mm_cvtsd_f64(a);
        e.x1R = _mm_cvtsd_f64(_mm_unpackhi_pd(a, a));
        e.x2L = _mm_cvtsd_f64(b);
        e.x2R = _mm_cvtsd_f64(_mm_unpackhi_pd(b, b));
        e.gPrev = _mm_cvtsd_f64(gain);
    }
    // Takes sample k's input and gain; writes the difference that was two samples behind.
    template <bool Colouring> void step(double xL, double xR, double g, double& dL, double& dR)
    {
        __m128d y = _mm_mul_pd(b, gain);
        if (Colouring) colouring.apply(b, gain, y);
        const __m128d d = _mm_sub_pd(y, b);
        _mm_storel_pd(&dL, d);
        _mm_storeh_pd(&dR, d);
        b = a;
        a = _mm_set_pd(xR, xL);
        gain = _mm_set1_pd(g);
    }

    Harmonics colouring;
    __m128d a, b, gain; // x(k - 1), x(k - 2) and g(k - 1)
};

// Where difference k goes: oversampled, straight into the down-sampler's even and odd phases
// at frame k / 2, which saves a pass sorting them; direct, the block's buffer at k.
template <int SamplesPerFrame> struct EngineCore::Differences
{
    double *evenL, *evenR, *oddL, *oddR;
    double& left(int k) const { return at(evenL, oddL, k); }
    double& right(int k) const { return at(evenR, oddR, k); }
    static double& at(double* even, double* odd, int k)
    {
        if constexpr (SamplesPerFrame == 2)
        {
            double* const phase = (k & 1) ? odd : even;
            return phase[k >> 1];
        }
        else
            return even[k];
    }
    // Differences k and k + 1 (k even when oversampled).
    void storePair(int k, __m128d l, __m128d r) const
    {
        if (SamplesPerFrame == 2)
        {
            _mm_storel_pd(&evenL[k >> 1], l);
            _mm_storeh_pd(&oddL[k >> 1], l);
            _mm_storel_pd(&evenR[k >> 1], r);
            _mm_storeh_pd(&oddR[k >> 1], r);
        }
        else
        {
            _mm_storeu_pd(&evenL[k], l);
            _mm_storeu_pd(&evenR[k], r);
        }
    }
};

template <> EngineCore::Differences<2> EngineCore::differences<2>()
{
    return {evenPhase.left(), evenPhase.right(), oddPhase.left(), oddPhase.right()};
}

template <> EngineCore::Differences<1> EngineCore::differences<1>()
{
    return {block.dL, block.dR, nullptr, nullptr};
}

// Without the colourings, difference k is x(k - 2) g(k - 1) - x(k - 2), all known once the
// loop has run: past the first two samples, which take x and g from the previous run, the
// samples share the lanes rather than the channels. Runs start on a frame, so oversampled the
// pairs start on an even sample.
template <int SamplesPerFrame>
__attribute__((always_inline)) inline void
EngineCore::uncolouredRun(AudiblePath& audible, const Differences<SamplesPerFrame>& out, int begin,
                          int end)
{
    int k = begin;
    for (; k < end && k < begin + 2; ++k)
        audible.step<false>(block.xL[k], block.xR[k], block.gain[k], out.left(k), out.right(k));
    if (k == end) return;
    for (; k + 2 <= end; k += 2)
    {
        const __m128d g = _mm_loadu_pd(&block.gain[k - 1]);
        const __m128d xL = _mm_loadu_pd(&block.xL[k - 2]), xR = _mm_loadu_pd(&block.xR[k - 2]);
        out.storePair(k, _mm_sub_pd(_mm_mul_pd(xL, g), xL), _mm_sub_pd(_mm_mul_pd(xR, g), xR));
    }
    for (; k < end; ++k)
    {
        out.left(k) = block.xL[k - 2] * block.gain[k - 1] - block.xL[k - 2];
        out.right(k) = block.xR[k - 2] * block.gain[k - 1] - block.xR[k - 2];
    }
    audible.a = _mm_set_pd(block.xR[end - 1], block.xL[end - 1]);
    audible.b = _mm_set_pd(block.xR[end - 2], block.xL[end - 2]);
    audible.gain = _mm_set1_pd(block.gain[end - 1]);
}

// The feedback loop over block samples begin..end (SamplesPerFrame of them share a noise
// offset). Sample k's gain g(k) comes from the levels that sample k - 1 left; then the detector
// hears x(k) g(k), the current sample with the gain just computed: it listens to what the
// compressor makes of its input, which is what makes it a feedback design. Nothing in the loop
// looks ahead, so it is the serial part of the engine; everything else is done block by block
// around it.
// With the colourings on, the audible path runs inside the loop: the loop waits on its chain
// of dependent steps most of the time, and the colouring filters, which need only inputs and
// gains already computed, fill the idle units. Without them it is a short vector pass after
// the loop.
template <int SamplesPerFrame, bool Colouring, bool Avx>
__attribute__((always_inline)) inline void EngineCore::feedbackRun(int begin, int end)
{
    AudiblePath audible(*this);
    const Differences<SamplesPerFrame> out = differences<SamplesPerFrame>();
    GainComputer gc = gainComputer;
    LevelDetector det = detector;
    SideChainFilter sc = sideChain;
    for (int k = begin; k < end; ++k)
    {
        const double xL = block.xL[k], xR = block.xR[k],
                     n = block.noise[static_cast<unsigned>(k) / SamplesPerFrame];
        const SplitGain split = gc.step<Avx>(det.forecast(), n);
        const double g = split.value();
        double l, r;
        sc.detectorInputs(split, (xL + xR) * 0.5, (xL - xR) * 0.5, n, l, r);
        det.process(l, r);
        block.gain[k] = g;
        if (Colouring) audible.step<true>(xL, xR, g, out.left(k), out.right(k));
    }
    gainComputer.copyStatesFrom(gc);
    detector.copyStatesFrom(det);
    sideChain.copyStatesFrom(sc);
    if (!Colouring) uncolouredRun(audible, out, begin, end);
    audible.store(*this);
    gainOut = block.gain[end - 1];
}

// The loop compiled three times: for the SSE2 baseline, with the VEX encoding where the
// processor has AVX, whose three-operand instructions need no copies to keep an operand, and with
// the EVEX encoding where it has AVX-512, whose 32 registers hold the loop's states and
// coefficients that the 16 of the others spill to memory. The arithmetic is the same instruction
// for instruction (nothing is fused), so all give the same bits. Only these functions carry a
// target: the inline functions they take in are compiled into them, while their own copies
// elsewhere stay at the baseline.
template <int SamplesPerFrame, bool Colouring> void EngineCore::feedbackRunBaseline(int b, int e)
{
    feedbackRun<SamplesPerFrame, Colouring, false>(b, e);
}

template <int SamplesPerFrame, bool Colouring>
__attribute__((target("avx"))) void EngineCore::feedbackRunVex(int b, int e)
{
    feedbackRun<SamplesPerFrame, Colouring, true>(b, e);
}

template <int SamplesPerFrame, bool Colouring>
__attribute__((target(OFC_EVEX_TARGET))) void EngineCore::feedbackRunEvex(int b, int e)
{
    feedbackRun<SamplesPerFrame, Colouring, true>(b, e);
}

template <int SamplesPerFrame> void EngineCore::feedbackAndOutput(int begin, int end)
{
    if (harmonics.anyOn())
        feedbackRunIn<SamplesPerFrame, true>(begin, end);
    else
        feedbackRunIn<SamplesPerFrame, false>(begin, end);
}

template <int SamplesPerFrame, bool Colouring> void EngineCore::feedbackRunIn(int begin, int end)
{
    switch (loopEncoding)
    {
    case feedbackloop::Encoding::Avx512:
        return feedbackRunEvex<SamplesPerFrame, Colouring>(begin, end);
    case feedbackloop::Encoding::Avx:
        return feedbackRunVex<SamplesPerFrame, Colouring>(begin, end);
    default:
        return feedbackRunBaseline<SamplesPerFrame, Colouring>(begin, end);
    }
}

// Non-finite values are cleared from the recursive states before every kCheckPeriod-th frame;
// run(first, count) processes the frames in between without a check. A run copies the loop's
// states in and out, so the runs are as long as the period allows.
template <class Run> void EngineCore::inCheckedRuns(int frames, Run run)
{
    for (int first = 0; first < frames;)
    {
        if (framesToCheck == 0) sanitizeNowAndThen();
        const int count = std::min(frames - first, framesToCheck);
        run(first, count);
        framesToCheck -= count;
        first += count;
    }
}

namespace
{
double* offset(double* p, int frames)
{
    return p ? p + frames : nullptr;
}
} // namespace

// Cuts a call into blocks of at most kBlock frames for `wide` where the loop runs an encoding
// that needs AVX, else for `baseline`.
void EngineCore::inBlocks(BlockPasses baseline, BlockPasses wide, double* left, double* right,
                          int frames, double* dryL, double* dryR)
{
    const BlockPasses passes = loopEncoding != feedbackloop::Encoding::Sse2 ? wide : baseline;
    for (int first = 0; first < frames; first += kBlock)
        (this->*passes)(left + first, right + first, std::min(frames - first, kBlock),
                        offset(dryL, first), offset(dryR, first));
}

void EngineCore::processOversampled(double* left, double* right, int frames, double* dryL,
                                    double* dryR)
{
    enter(Path::Oversampled);
    inBlocks(&EngineCore::oversampledBlockBaseline, &EngineCore::oversampledBlockWide, left, right,
             frames, dryL, dryR);
}

// One run of noise offsets, from the table's entry start + 1 on and as long as the counter
// does not wrap (at most frames - first): copied into the block, and added to the input times
// scale into outL/outR. Returns the run's frame count.
__attribute__((always_inline)) inline int EngineCore::noiseRun(int start, int first, int frames,
                                                               const double* left,
                                                               const double* right, double scale,
                                                               double* outL, double* outR)
{
    const int count =
        std::min(frames - first, NoiseTables::framesBeforeWrap(start, NoiseTables::kNoiseCycle));
    const double* noise = noiseTables.noise + start + 1;
    std::copy(noise, noise + count, block.noise + first);
    blockloops::addNoise(left + first, noise, scale, outL + first, count);
    blockloops::addNoise(right + first, noise, scale, outR + first, count);
    return count;
}

// Only the feedback loop is serial. The up-sampler depends on the input alone and the
// down-sampler on the compressed samples alone (its newest frame meets a zero tap), so both
// convolve the whole block, before and after the loop, as vector code; so does the output
// stage, which needs only the inputs and the gains.
// Latency: each half-band filter delays by its centre tap (HalfBandFilter::kCentreDelay
// frames) and the loop by two internal samples, one frame: together the dry delay's length,
// latency::kFrames.
__attribute__((always_inline)) inline void
EngineCore::oversampledBlock(double* left, double* right, int frames, double* dryL, double* dryR)
{
    double* sL = upInput.left();
    double* sR = upInput.right();
    // This path's counter wraps before it reads (the direct path's after): each run reads the
    // entries after the wrapped counter.
    for (int first = 0; first < frames;)
    {
        const int start = NoiseTables::wrap(noiseIndex, NoiseTables::kNoiseCycle);
        // Zero insertion halves the level; the factor 2 gives the up-sampler unit gain.
        const int count = noiseRun(start, first, frames, left, right, 2.0, sL, sR);
        noiseIndex = start + count;
        first += count;
    }
    halfBand.convolve(sL, frames, block.outL);
    halfBand.convolve(sR, frames, block.outR);
    const double hc = halfBand.centreTap();
    constexpr int d = HalfBandFilter::kCentreDelay;
    blockloops::interleave(sL - d, hc, block.outL, block.xL, frames);
    blockloops::interleave(sR - d, hc, block.outR, block.xR, frames);

    // The output stage follows the loop run by run, so that the check between runs also keeps
    // its colouring filters' states clear on the same period.
    inCheckedRuns(frames, [this](int first, int count)
                  { feedbackAndOutput<2>(2 * first, 2 * (first + count)); });

    const double* evenL = evenPhase.left();
    const double* evenR = evenPhase.right();
    const double* oddL = oddPhase.left();
    const double* oddR = oddPhase.right();
    // A frame's output meets the odd phase up to the frame before it.
    halfBand.convolve(oddL - 1, frames, block.outL);
    halfBand.convolve(oddR - 1, frames, block.outR);
    blockloops::addScaled(evenL - d, hc, block.outL, frames);
    blockloops::addScaled(evenR - d, hc, block.outR, frames);
    if (preview) previewInto(left, right, frames);
    mix(left, right, frames, dryL, dryR);
    upInput.advance(frames);
    evenPhase.advance(frames);
    oddPhase.advance(frames);
}

void EngineCore::processDirect(double* left, double* right, int frames, double* dryL, double* dryR)
{
    enter(Path::Direct);
    inBlocks(&EngineCore::directBlockBaseline, &EngineCore::directBlockWide, left, right, frames,
             dryL, dryR);
}

// Latency: the loop's two samples and the difference delay (latency::kDifferenceDelay) add up
// to the dry delay's length, latency::kFrames.
__attribute__((always_inline)) inline void
EngineCore::directBlock(double* left, double* right, int frames, double* dryL, double* dryR)
{
    for (int first = 0; first < frames;)
    {
        const int count = noiseRun(noiseIndex, first, frames, left, right, 1.0, block.xL, block.xR);
        noiseIndex = NoiseTables::wrap(noiseIndex + count, NoiseTables::kNoiseCycle);
        first += count;
    }
    inCheckedRuns(frames,
                  [this](int first, int count) { feedbackAndOutput<1>(first, first + count); });

    if (preview)
    {
        previewInto(left, right, frames);
        differenceDelay.processBlock(block.outL, block.outR, frames);
    }
    else
        differenceDelay.processBlock(block.dL, block.dR, block.outL, block.outR, frames);
    mix(left, right, frames, dryL, dryR);
}

// The side chain's preview in place of the difference signal: the input plus the noise,
// filtered at the host rate.
__attribute__((always_inline)) inline void EngineCore::previewInto(const double* left,
                                                                   const double* right, int frames)
{
    for (int i = 0; i < frames; ++i)
    {
        double l = left[i] + block.noise[i], r = right[i] + block.noise[i];
        sideChain.preview(l, r);
        block.outL[i] = l;
        block.outR[i] = r;
    }
}

// left/right: the block's input on entry, the output on return; block.outL/outR: the
// difference signal aligned with the dry delay's output. The dither of each frame is the sum of
// one entry of each table, their counters wrapping at different lengths: taken in runs in which
// neither wraps.
__attribute__((always_inline)) inline void EngineCore::mix(double* left, double* right, int frames,
                                                           double* dryL, double* dryR)
{
    if (!dryL || !dryR)
    {
        dryL = block.dL; // free again once the difference signal is made
        dryR = block.dR;
    }
    dryDelay.processBlock(left, right, dryL, dryR, frames);

    const double* eL = block.outL;
    const double* eR = block.outR;
    const bool differenceOnly = delta || preview;
    for (int first = 0; first < frames;)
    {
        const int end =
            first + std::min({frames - first,
                              NoiseTables::framesBeforeWrap(ditherI, NoiseTables::kDitherCycleA),
                              NoiseTables::framesBeforeWrap(ditherJ, NoiseTables::kDitherCycleB)});
        const double* a = noiseTables.ditherA + ditherI + 1;
        const double* b = noiseTables.ditherB + ditherJ + 1;
        const int n = end - first;
        if (differenceOnly)
        {
            blockloops::differenceWithDither(eL + first, a, b, left + first, n);
            blockloops::differenceWithDither(eR + first, a, b, right + first, n);
        }
        else
        {
            blockloops::mixWithDither(dryL + first, eL + first, a, b, dry, makeUp, left + first, n);
            blockloops::mixWithDither(dryR + first, eR + first, a, b, dry, makeUp, right + first,
                                      n);
        }
        ditherI = NoiseTables::wrap(ditherI + (end - first), NoiseTables::kDitherCycleA);
        ditherJ = NoiseTables::wrap(ditherJ + (end - first), NoiseTables::kDitherCycleB);
        first = end;
    }
}

// The block passes compiled twice: at the SSE2 baseline, and with AVX wherever the loop runs
// its VEX or EVEX encoding, whose 256-bit vectors halve the passes' instructions. The passes are
// element by element, so both give the same bits.
void EngineCore::oversampledBlockBaseline(double* left, double* right, int frames, double* dryL,
                                          double* dryR)
{
    oversampledBlock(left, right, frames, dryL, dryR);
}

__attribute__((target("avx"))) void EngineCore::oversampledBlockWide(double* left, double* right,
                                                                     int frames, double* dryL,
                                                                     double* dryR)
{
    oversampledBlock(left, right, frames, dryL, dryR);
}

void EngineCore::directBlockBaseline(double* left, double* right, int frames, double* dryL,
                                     double* dryR)
{
    directBlock(left, right, frames, dryL, dryR);
}

__attribute__((target("avx"))) void
EngineCore::directBlockWide(double* left, double* right, int frames, double* dryL, double* dryR)
{
    directBlock(left, right, frames, dryL, dryR);
}

void EngineCore::sanitizeNowAndThen()
{
    framesToCheck = kCheckPeriod;
    gainComputer.sanitize();
    detector.sanitize();
    sideChain.sanitize();
    harmonics.sanitize();
}
