#include "CompressorEngine.h"

#include "EngineCore.h"
#include "HalfBandKernels.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace
{
constexpr auto relaxed = std::memory_order_relaxed;

// Physical ranges of the parameters; the engine never runs outside them.
constexpr double kOversampleBelow = 70000.0;
constexpr double kMaxGain = 7.95; // a little above +18 dB

bool isUsable(double v)
{
    return std::isfinite(v);
}

// The one rule for the path: it sets the internal rate the design is made at, and the path the
// audio thread runs with that design.
bool oversampledAt(double hostRate)
{
    return hostRate < kOversampleBelow;
}

double internalRateFor(double hostRate)
{
    return oversampledAt(hostRate) ? 2.0 * hostRate : hostRate;
}

// The parts of the design a setter leaves for the audio thread to re-design, one bit each.
namespace part
{
constexpr unsigned kRates = 1u << 0;
constexpr unsigned kSideChain = 1u << 1;
constexpr unsigned kCurve = 1u << 2;
constexpr unsigned kDetection = 1u << 3;
constexpr unsigned kAttack = 1u << 4;
constexpr unsigned kReleases = 1u << 5;
constexpr unsigned kOutput = 1u << 6;
constexpr unsigned kColouring = 1u << 7;
constexpr unsigned kAll = (1u << 8) - 1;
} // namespace part
} // namespace

struct CompressorEngine::State
{
    // What the setters stored, for the getters and the audio thread's designs.
    std::atomic<double> hostRate{44100.0}, internalRate{44100.0};
    std::atomic<double> detection{0.0}, scFrequency{30.0};
    std::atomic<int> scType{0};
    std::atomic<bool> scPreview{false}, hf{false}, lf{false}, delta{false};
    std::atomic<double> threshold{10.0}, knee{0.0}, ratio{1.0};
    std::atomic<double> attack{50.0}, release{50.0}, releaseSlow{50.0};
    std::atomic<double> dry{1.0}, makeUp{1.0}, hfAmount{0.0}, lfAmount{0.0};

    // The parts stored values have changed since the audio thread last designed them.
    std::atomic<unsigned> pending{0};

    // Made and read by the audio thread alone, between blocks: never seen half-built.
    EngineDesign design;
    EngineCore core;

    // Setter side: the release pairs with adoptPendingDesign's acquire, so that the values
    // stored before it are the ones the audio thread designs from.
    void mark(unsigned parts) { pending.fetch_or(parts, std::memory_order_release); }

    // Audio side. Most blocks find nothing pending and pay for one plain load.
    void adoptPendingDesign()
    {
        if (pending.load(relaxed) == 0) return;
        redesign(pending.exchange(0, std::memory_order_acquire));
        core.adopt(design);
    }

    // Every part is rebuilt from the stored values alone, the rates before what is designed at
    // them, so the same settings give the same bits however often and in whatever order the
    // setters ran. A setter that stores while this reads marks its part again: the next block
    // designs it once more.
    void redesign(unsigned parts)
    {
        if (parts & part::kRates) redesignRates();
        if (parts & part::kSideChain)
            design.setSideChain(scType.load(relaxed), scFrequency.load(relaxed));
        if (parts & part::kCurve)
            design.gain.setCurve(threshold.load(relaxed), knee.load(relaxed), ratio.load(relaxed));
        if (parts & part::kDetection) design.detector.setDetection(detection.load(relaxed));
        if (parts & part::kAttack) design.gain.setAttack(attack.load(relaxed));
        if (parts & part::kReleases) redesignReleases();
        if (parts & part::kOutput) redesignOutput();
        if (parts & part::kColouring) redesignColouring();
    }

    // The internal rate follows from the host rate read once, so the pair cannot be torn by
    // a setSampleRate between two loads.
    void redesignRates()
    {
        const double host = hostRate.load(relaxed);
        design.setRates(host, internalRateFor(host));
    }

    void redesignReleases()
    {
        design.gain.setRelease(release.load(relaxed));
        design.gain.setReleaseSlow(releaseSlow.load(relaxed));
    }

    void redesignOutput()
    {
        design.preview = scPreview.load(relaxed);
        design.delta = delta.load(relaxed);
        design.makeUp = makeUp.load(relaxed);
        design.dry = dry.load(relaxed);
    }

    void redesignColouring()
    {
        design.harmonics.hfOn = hf.load(relaxed);
        design.harmonics.lfOn = lf.load(relaxed);
        design.harmonics.hfAmount = hfAmount.load(relaxed);
        design.harmonics.lfAmount = lfAmount.load(relaxed);
    }

    void run(bool oversampled, double* left, double* right, int frames, Meters& meters,
             double* dryL = nullptr, double* dryR = nullptr)
    {
        if (oversampled)
            core.processOversampled(left, right, frames, dryL, dryR);
        else
            core.processDirect(left, right, frames, dryL, dryR);
        readMeters(meters);
    }

    void readMeters(Meters& m) const
    {
        m.gain = core.gainOut;
        m.levelFast = core.levelFast();
        m.levelSlow = core.levelSlow();
    }
};

// Until a rate is given, the design is made with 44100 Hz for both rates, as the getters
// report; the first setSampleRate re-designs it by the rule.
CompressorEngine::CompressorEngine() : s(new State)
{
    s->design.setRates(s->hostRate.load(relaxed), s->internalRate.load(relaxed));
    s->mark(part::kAll & ~part::kRates);
    s->adoptPendingDesign();
    s->core.reset();
}

CompressorEngine::~CompressorEngine()
{
    delete s;
}

const char* CompressorEngine::halfBandKernelName()
{
    return halfband::best().name;
}

void CompressorEngine::setSampleRate(double hostRate)
{
    if (!isUsable(hostRate) || hostRate < kMinSampleRate || hostRate > kMaxSampleRate) return;
    s->hostRate.store(hostRate, relaxed);
    s->internalRate.store(internalRateFor(hostRate), relaxed);
    s->mark(part::kRates);
}

void CompressorEngine::reset()
{
    s->core.reset();
}

// The path is chosen after the design is taken over, so it always matches the rate it was
// designed for.
void CompressorEngine::process(double* left, double* right, int frames, Meters& meters,
                               double* delayedL, double* delayedR)
{
    s->adoptPendingDesign();
    s->run(oversampledAt(s->design.hostRate), left, right, frames, meters, delayedL, delayedR);
}

void CompressorEngine::processOversampled(double* left, double* right, int frames, Meters& meters)
{
    s->adoptPendingDesign();
    s->run(true, left, right, frames, meters);
}

void CompressorEngine::processDirect(double* left, double* right, int frames, Meters& meters)
{
    s->adoptPendingDesign();
    s->run(false, left, right, frames, meters);
}

void CompressorEngine::processFrameOversampled(double& l, double& r, double& gain, double& fast,
                                               double& slow)
{
    Meters m;
    processOversampled(&l, &r, 1, m);
    gain = m.gain;
    fast = m.levelFast;
    slow = m.levelSlow;
}

void CompressorEngine::processFrameDirect(double& l, double& r, double& gain, double& fast,
                                          double& slow)
{
    Meters m;
    processDirect(&l, &r, 1, m);
    gain = m.gain;
    fast = m.levelFast;
    slow = m.levelSlow;
}

void CompressorEngine::setDetection(double v)
{
    if (!isUsable(v)) return;
    s->detection.store(std::clamp(v, 0.0, 600.0), relaxed);
    s->mark(part::kDetection);
}

void CompressorEngine::setSideChainType(float v)
{
    if (!std::isfinite(v)) return;
    s->scType.store(v < 0.3f ? 0 : (v < 0.7f ? 1 : 2), relaxed);
    s->mark(part::kSideChain);
}

void CompressorEngine::setSideChainFrequency(float hz)
{
    if (!std::isfinite(hz)) return;
    s->scFrequency.store(std::clamp(hz, 30.0f, 300.0f), relaxed);
    s->mark(part::kSideChain);
}

void CompressorEngine::setSideChainPreview(bool on)
{
    s->scPreview.store(on, relaxed);
    s->mark(part::kOutput);
}

void CompressorEngine::setThreshold(double v)
{
    if (!isUsable(v)) return;
    s->threshold.store(std::clamp(v, -50.0, 0.0), relaxed);
    s->mark(part::kCurve);
}

void CompressorEngine::setKnee(double v)
{
    if (!isUsable(v)) return;
    s->knee.store(std::clamp(v, 0.0, 20.0), relaxed);
    s->mark(part::kCurve);
}

void CompressorEngine::setRatio(double v)
{
    if (!isUsable(v)) return;
    s->ratio.store(std::clamp(v, -4.0, 1.0), relaxed);
    s->mark(part::kCurve);
}

void CompressorEngine::setAttack(double v)
{
    if (!isUsable(v)) return;
    s->attack.store(std::clamp(v, 0.1, 500.1), relaxed);
    s->mark(part::kAttack);
}

void CompressorEngine::setRelease(double v)
{
    if (!isUsable(v)) return;
    s->release.store(std::clamp(v, 0.1, 2000.1), relaxed);
    s->mark(part::kReleases);
}

void CompressorEngine::setReleaseSlow(double v)
{
    if (!isUsable(v)) return;
    s->releaseSlow.store(std::clamp(v, 0.1, 2000.1), relaxed);
    s->mark(part::kReleases);
}

void CompressorEngine::setMixDry(double v)
{
    if (!isUsable(v)) return;
    s->dry.store(std::clamp(v, 0.0, kMaxGain), relaxed);
    s->mark(part::kOutput);
}

void CompressorEngine::setMakeUpGain(double v)
{
    if (!isUsable(v)) return;
    s->makeUp.store(std::clamp(v, 0.0, kMaxGain), relaxed);
    s->mark(part::kOutput);
}

void CompressorEngine::setHfHarmonics(bool on)
{
    s->hf.store(on, relaxed);
    s->mark(part::kColouring);
}

void CompressorEngine::setLfHarmonics(bool on)
{
    s->lf.store(on, relaxed);
    s->mark(part::kColouring);
}

void CompressorEngine::setHfAmount(double v)
{
    if (!isUsable(v)) return;
    s->hfAmount.store(std::clamp(v, 0.0, 1.0), relaxed);
    s->mark(part::kColouring);
}

void CompressorEngine::setLfAmount(double v)
{
    if (!isUsable(v)) return;
    s->lfAmount.store(std::clamp(v, 0.0, 1.0), relaxed);
    s->mark(part::kColouring);
}

void CompressorEngine::setDelta(bool on)
{
    s->delta.store(on, relaxed);
    s->mark(part::kOutput);
}

double CompressorEngine::getHostRate() const
{
    return s->hostRate.load(relaxed);
}
double CompressorEngine::getInternalRate() const
{
    return s->internalRate.load(relaxed);
}
double CompressorEngine::getDetection() const
{
    return s->detection.load(relaxed);
}
int CompressorEngine::getSideChainType() const
{
    return s->scType.load(relaxed);
}
double CompressorEngine::getSideChainFrequency() const
{
    return s->scFrequency.load(relaxed);
}
bool CompressorEngine::getSideChainPreview() const
{
    return s->scPreview.load(relaxed);
}
double CompressorEngine::getThreshold() const
{
    return s->threshold.load(relaxed);
}
double CompressorEngine::getKnee() const
{
    return s->knee.load(relaxed);
}
double CompressorEngine::getRatio() const
{
    return s->ratio.load(relaxed);
}
double CompressorEngine::getAttack() const
{
    return s->attack.load(relaxed);
}
double CompressorEngine::getRelease() const
{
    return s->release.load(relaxed);
}
double CompressorEngine::getReleaseSlow() const
{
    return s->releaseSlow.load(relaxed);
}
double CompressorEngine::getMixDry() const
{
    return s->dry.load(relaxed);
}
double CompressorEngine::getMakeUpGain() const
{
    return s->makeUp.load(relaxed);
}
bool CompressorEngine::getHfHarmonics() const
{
    return s->hf.load(relaxed);
}
bool CompressorEngine::getLfHarmonics() const
{
    return s->lf.load(relaxed);
}
double CompressorEngine::getHfAmount() const
{
    return s->hfAmount.load(relaxed);
}
double CompressorEngine::getLfAmount() const
{
    return s->lfAmount.load(relaxed);
}
bool CompressorEngine::getDelta() const
{
    return s->delta.load(relaxed);
}
