#include "CompressorEngine.h"

#include <atomic>

// Placeholder engine: stores every setting and passes audio through unchanged.
struct CompressorEngine::State
{
    std::atomic<double> hostRate{44100.0}, internalRate{44100.0};
    std::atomic<double> detection{0.0}, scFrequency{30.0};
    std::atomic<int> scType{0};
    std::atomic<bool> scPreview{false}, hf{false}, lf{false}, delta{false};
    std::atomic<double> threshold{10.0}, knee{0.0}, ratio{1.0};
    std::atomic<double> attack{50.0}, release{50.0}, releaseSlow{50.0};
    std::atomic<double> dry{1.0}, makeUp{1.0}, hfAmount{0.0}, lfAmount{0.0};
};

namespace
{
constexpr auto relaxed = std::memory_order_relaxed;
}

CompressorEngine::CompressorEngine() : s(new State) {}
CompressorEngine::~CompressorEngine() { delete s; }

void CompressorEngine::setSampleRate(double hostRate)
{
    s->hostRate.store(hostRate, relaxed);
    s->internalRate.store(hostRate < 70000.0 ? 2.0 * hostRate : hostRate, relaxed);
}
void CompressorEngine::reset() {}

void CompressorEngine::processFrameOversampled(double&, double&, double& gain, double& fast,
                                               double& slow)
{
    gain = 1.0;
    fast = slow = -100.0;
}
void CompressorEngine::processFrameDirect(double& l, double& r, double& gain, double& fast,
                                          double& slow)
{
    processFrameOversampled(l, r, gain, fast, slow);
}

void CompressorEngine::setDetection(double v) { s->detection.store(v, relaxed); }
void CompressorEngine::setSideChainType(float v)
{
    s->scType.store(v < 0.3f ? 0 : (v < 0.7f ? 1 : 2), relaxed);
}
void CompressorEngine::setSideChainFrequency(float hz) { s->scFrequency.store(hz, relaxed); }
void CompressorEngine::setSideChainPreview(bool on) { s->scPreview.store(on, relaxed); }
void CompressorEngine::setThreshold(double v) { s->threshold.store(v, relaxed); }
void CompressorEngine::setKnee(double v) { s->knee.store(v, relaxed); }
void CompressorEngine::setRatio(double v) { s->ratio.store(v, relaxed); }
void CompressorEngine::setAttack(double v) { s->attack.store(v, relaxed); }
void CompressorEngine::setRelease(double v) { s->release.store(v, relaxed); }
void CompressorEngine::setReleaseSlow(double v) { s->releaseSlow.store(v, relaxed); }
void CompressorEngine::setMixDry(double v) { s->dry.store(v, relaxed); }
void CompressorEngine::setMakeUpGain(double v) { s->makeUp.store(v, relaxed); }
void CompressorEngine::setHfHarmonics(bool on) { s->hf.store(on, relaxed); }
void CompressorEngine::setLfHarmonics(bool on) { s->lf.store(on, relaxed); }
void CompressorEngine::setHfAmount(double v) { s->hfAmount.store(v, relaxed); }
void CompressorEngine::setLfAmount(double v) { s->lfAmount.store(v, relaxed); }
void CompressorEngine::setDelta(bool on) { s->delta.store(on, relaxed); }

double CompressorEngine::getHostRate() const { return s->hostRate.load(relaxed); }
double CompressorEngine::getInternalRate() const { return s->internalRate.load(relaxed); }
double CompressorEngine::getDetection() const { return s->detection.load(relaxed); }
int CompressorEngine::getSideChainType() const { return s->scType.load(relaxed); }
double CompressorEngine::getSideChainFrequency() const { return s->scFrequency.load(relaxed); }
bool CompressorEngine::getSideChainPreview() const { return s->scPreview.load(relaxed); }
double CompressorEngine::getThreshold() const { return s->threshold.load(relaxed); }
double CompressorEngine::getKnee() const { return s->knee.load(relaxed); }
double CompressorEngine::getRatio() const { return s->ratio.load(relaxed); }
double CompressorEngine::getAttack() const { return s->attack.load(relaxed); }
double CompressorEngine::getRelease() const { return s->release.load(relaxed); }
double CompressorEngine::getReleaseSlow() const { return s->releaseSlow.load(relaxed); }
double CompressorEngine::getMixDry() const { return s->dry.load(relaxed); }
double CompressorEngine::getMakeUpGain() const { return s->makeUp.load(relaxed); }
bool CompressorEngine::getHfHarmonics() const { return s->hf.load(relaxed); }
bool CompressorEngine::getLfHarmonics() const { return s->lf.load(relaxed); }
double CompressorEngine::getHfAmount() const { return s->hfAmount.load(relaxed); }
double CompressorEngine::getLfAmount() const { return s->lfAmount.load(relaxed); }
bool CompressorEngine::getDelta() const { return s->delta.load(relaxed); }
