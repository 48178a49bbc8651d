#include "CompressorEngine.h"

#include "DesignExchange.h"
#include "EngineCore.h"
#include "HalfBandKernels.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace
{
constexpr auto relaxed = std::memory_order_relaxed;

// Physical ranges of the parameters; the engine never runs outside them.
constexpr double kMinRate = 1000.0, kMaxRate = 768000.0;
constexpr double kOversampleBelow = 70000.0;
constexpr double kMaxGain = 7.95; // a little above +18 dB

bool isUsable(double v)
{
    return std::isfinite(v);
}
} // namespace

struct CompressorEngine::State
{
    // What the setters stored, for the getters and the designer.
    std::atomic<double> hostRate{44100.0}, internalRate{44100.0};
    std::atomic<double> detection{0.0}, scFrequency{30.0};
    std::atomic<int> scType{0};
    std::atomic<bool> scPreview{false}, hf{false}, lf{false}, delta{false};
    std::atomic<double> threshold{10.0}, knee{0.0}, ratio{1.0};
    std::atomic<double> attack{50.0}, release{50.0}, releaseSlow{50.0};
    std::atomic<double> dry{1.0}, makeUp{1.0}, hfAmount{0.0}, lfAmount{0.0};

    // The designer's working copy; touched only while holding a slot of the exchange.
    EngineDesign master;
    DesignExchange<EngineDesign> exchange;
    EngineCore core;

    // Applies `change` to the master design and publishes the result whole.
    template <class Change> void redesign(Change change)
    {
        EngineDesign& slot = exchange.beginWrite();
        change(master);
        slot = master;
        exchange.publish();
    }

    void takeFreshDesign()
    {
        if (const EngineDesign* d = exchange.takeFresh()) core.adopt(*d);
    }

    void readMeters(Meters& m) const
    {
        m.gain = core.gainOut;
        m.levelFast = core.levelFast();
        m.levelSlow = core.levelSlow();
    }

    void updateCurve()
    {
        redesign(
            [this](EngineDesign& d)
            { d.gain.setCurve(threshold.load(relaxed), knee.load(relaxed), ratio.load(relaxed)); });
    }
};

CompressorEngine::CompressorEngine() : s(new State)
{
    s->redesign(
        [](EngineDesign& d)
        {
            d.setRates(44100.0, 44100.0);
            d.gain.setCurve(10.0, 0.0, 1.0);
            d.detector.setDetection(0.0);
        });
    s->takeFreshDesign();
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
    if (!isUsable(hostRate) || hostRate < kMinRate || hostRate > kMaxRate) return;
    const double internal = hostRate < kOversampleBelow ? 2.0 * hostRate : hostRate;
    s->hostRate.store(hostRate, relaxed);
    s->internalRate.store(internal, relaxed);
    s->redesign([=](EngineDesign& d) { d.setRates(hostRate, internal); });
}

void CompressorEngine::reset()
{
    s->core.reset();
}

void CompressorEngine::processOversampled(double* left, double* right, int frames, Meters& meters)
{
    s->takeFreshDesign();
    s->core.processOversampled(left, right, frames);
    s->readMeters(meters);
}

void CompressorEngine::processDirect(double* left, double* right, int frames, Meters& meters)
{
    s->takeFreshDesign();
    s->core.processDirect(left, right, frames);
    s->readMeters(meters);
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
    v = std::clamp(v, 0.0, 600.0);
    s->detection.store(v, relaxed);
    s->redesign([=](EngineDesign& d) { d.detector.setDetection(v); });
}

void CompressorEngine::setSideChainType(float v)
{
    if (!std::isfinite(v)) return;
    const int type = v < 0.3f ? 0 : (v < 0.7f ? 1 : 2);
    s->scType.store(type, relaxed);
    s->redesign([=](EngineDesign& d)
                { d.sideChain.redesign(type, d.sideChain.frequency, d.internalRate, d.hostRate); });
}

void CompressorEngine::setSideChainFrequency(float hz)
{
    if (!std::isfinite(hz)) return;
    const double f = std::clamp(hz, 30.0f, 300.0f);
    s->scFrequency.store(f, relaxed);
    s->redesign([=](EngineDesign& d)
                { d.sideChain.redesign(d.sideChain.type, f, d.internalRate, d.hostRate); });
}

void CompressorEngine::setSideChainPreview(bool on)
{
    s->scPreview.store(on, relaxed);
    s->redesign([=](EngineDesign& d) { d.preview = on; });
}

void CompressorEngine::setThreshold(double v)
{
    if (!isUsable(v)) return;
    s->threshold.store(std::clamp(v, -50.0, 0.0), relaxed);
    s->updateCurve();
}

void CompressorEngine::setKnee(double v)
{
    if (!isUsable(v)) return;
    s->knee.store(std::clamp(v, 0.0, 20.0), relaxed);
    s->updateCurve();
}

void CompressorEngine::setRatio(double v)
{
    if (!isUsable(v)) return;
    s->ratio.store(std::clamp(v, -4.0, 1.0), relaxed);
    s->updateCurve();
}

void CompressorEngine::setAttack(double v)
{
    if (!isUsable(v)) return;
    v = std::clamp(v, 0.1, 500.1);
    s->attack.store(v, relaxed);
    s->redesign([=](EngineDesign& d) { d.gain.setAttack(v); });
}

void CompressorEngine::setRelease(double v)
{
    if (!isUsable(v)) return;
    v = std::clamp(v, 0.1, 2000.1);
    s->release.store(v, relaxed);
    s->redesign([=](EngineDesign& d) { d.gain.setRelease(v); });
}

void CompressorEngine::setReleaseSlow(double v)
{
    if (!isUsable(v)) return;
    v = std::clamp(v, 0.1, 2000.1);
    s->releaseSlow.store(v, relaxed);
    s->redesign([=](EngineDesign& d) { d.gain.setReleaseSlow(v); });
}

void CompressorEngine::setMixDry(double v)
{
    if (!isUsable(v)) return;
    v = std::clamp(v, 0.0, kMaxGain);
    s->dry.store(v, relaxed);
    s->redesign([=](EngineDesign& d) { d.dry = v; });
}

void CompressorEngine::setMakeUpGain(double v)
{
    if (!isUsable(v)) return;
    v = std::clamp(v, 0.0, kMaxGain);
    s->makeUp.store(v, relaxed);
    s->redesign([=](EngineDesign& d) { d.makeUp = v; });
}

void CompressorEngine::setHfHarmonics(bool on)
{
    s->hf.store(on, relaxed);
    s->redesign([=](EngineDesign& d) { d.harmonics.hfOn = on; });
}

void CompressorEngine::setLfHarmonics(bool on)
{
    s->lf.store(on, relaxed);
    s->redesign([=](EngineDesign& d) { d.harmonics.lfOn = on; });
}

void CompressorEngine::setHfAmount(double v)
{
    if (!isUsable(v)) return;
    v = std::clamp(v, 0.0, 1.0);
    s->hfAmount.store(v, relaxed);
    s->redesign([=](EngineDesign& d) { d.harmonics.hfAmount = v; });
}

void CompressorEngine::setLfAmount(double v)
{
    if (!isUsable(v)) return;
    v = std::clamp(v, 0.0, 1.0);
    s->lfAmount.store(v, relaxed);
    s->redesign([=](EngineDesign& d) { d.harmonics.lfAmount = v; });
}

void CompressorEngine::setDelta(bool on)
{
    s->delta.store(on, relaxed);
    s->redesign([=](EngineDesign& d) { d.delta = on; });
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
