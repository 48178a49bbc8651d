#include "CompressorEngine.h"
#include "ReferenceModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace
{
void apply(CompressorEngine& e, const reference::Settings& s)
{
    e.setSampleRate(s.hostRate);
    e.setDetection(s.detection);
    e.setSideChainType(s.scType == 0 ? 0.0f : (s.scType == 1 ? 0.5f : 1.0f));
    e.setSideChainFrequency(static_cast<float>(s.scFrequency));
    e.setSideChainPreview(s.preview);
    e.setThreshold(s.threshold);
    e.setKnee(s.knee);
    e.setRatio(s.ratio);
    e.setAttack(s.attack);
    e.setRelease(s.release);
    e.setReleaseSlow(s.releaseSlow);
    e.setMixDry(s.dry);
    e.setMakeUpGain(s.makeUp);
    e.setHfHarmonics(s.hf);
    e.setLfHarmonics(s.lf);
    e.setHfAmount(s.hfAmount);
    e.setLfAmount(s.lfAmount);
    e.setDelta(s.delta);
}

// Drums-like bursts over a sustained chord with a slow level sweep, different per channel.
void testSignal(int i, double rate, double& l, double& r)
{
    const double t = i / rate;
    const double sweep = 0.1 + 0.8 * (0.5 + 0.5 * std::sin(6.283185307179586 * 0.7 * t));
    const double hit =
        std::exp(-40.0 * std::fmod(t, 0.125)) * std::sin(6.283185307179586 * 60.0 * t);
    l = sweep * 0.4 * std::sin(6.283185307179586 * 220.0 * t) + 0.5 * hit;
    r = sweep * 0.4 * std::sin(6.283185307179586 * 277.2 * t + 1.0) + 0.4 * hit +
        0.05 * std::sin(6.283185307179586 * 5000.0 * t);
}

reference::Settings programZero(double rate)
{
    reference::Settings s;
    s.hostRate = rate;
    s.detection = 600.0;
    s.scFrequency = static_cast<double>(89.3f);
    s.threshold = 0.0 - 18.0;
    s.knee = 3.2;
    s.ratio = 0.5;
    s.attack = 14.99;
    s.release = 153.6;
    s.releaseSlow = 250.1;
    s.dry = 0.0;
    return s;
}

std::vector<reference::Settings> cases()
{
    std::vector<reference::Settings> all;
    all.push_back(programZero(44100.0));
    all.push_back(programZero(96000.0));

    reference::Settings peak = programZero(48000.0);
    peak.detection = 0.0;
    peak.scType = 1;
    peak.scFrequency = 150.0;
    peak.threshold = -30.0;
    peak.knee = 6.0;
    peak.ratio = -1.0;
    peak.attack = 1.0;
    peak.release = 50.0;
    peak.releaseSlow = 50.0;
    peak.dry = 0.1;
    peak.makeUp = 2.0;
    peak.hf = peak.lf = true;
    peak.hfAmount = 0.3;
    peak.lfAmount = 0.7;
    all.push_back(peak);

    reference::Settings rms = programZero(96000.0);
    rms.detection = 16.5;
    rms.scType = 2;
    rms.scFrequency = 300.0;
    rms.threshold = -20.0;
    rms.ratio = 0.0;
    rms.hf = true;
    rms.hfAmount = 1.0;
    all.push_back(rms);
    rms.hostRate = 22050.0;
    all.push_back(rms);

    reference::Settings preview = programZero(44100.0);
    preview.preview = true;
    preview.scType = 1;
    all.push_back(preview);
    preview.hostRate = 96000.0;
    preview.scType = 2;
    all.push_back(preview);

    reference::Settings delta = programZero(44100.0);
    delta.delta = true;
    delta.ratio = -4.0;
    delta.lf = true;
    delta.lfAmount = 1.0;
    all.push_back(delta);
    return all;
}

struct Difference
{
    double output = 0.0, gain = 0.0, level = 0.0;
};

Difference compare(const reference::Settings& s, bool tapOrder, bool expectExact)
{
    CompressorEngine engine;
    apply(engine, s);
    auto model = std::make_unique<reference::Engine>(s, tapOrder);
    Difference worst;
    const int frames = 12000;
    for (int i = 0; i < frames; ++i)
    {
        double el, er, mr, ml, eg, ef, es, mg, mf, ms;
        testSignal(i, s.hostRate, el, er);
        ml = el;
        mr = er;
        if (s.hostRate < 70000.0)
            engine.processFrameOversampled(el, er, eg, ef, es);
        else
            engine.processFrameDirect(el, er, eg, ef, es);
        model->frame(ml, mr, mg, mf, ms);
        if (expectExact)
        {
            EXPECT_EQ(el, ml) << "frame " << i;
            EXPECT_EQ(er, mr) << "frame " << i;
            EXPECT_EQ(eg, mg) << "frame " << i;
            EXPECT_EQ(ef, mf) << "frame " << i;
            EXPECT_EQ(es, ms) << "frame " << i;
            if (el != ml || er != mr || eg != mg) break;
        }
        worst.output = std::max({worst.output, std::fabs(el - ml), std::fabs(er - mr)});
        worst.gain = std::max(worst.gain, std::fabs(eg - mg));
        worst.level = std::max({worst.level, std::fabs(ef - mf), std::fabs(es - ms)});
    }
    return worst;
}
} // namespace

// The engine against the plain rendering with the same half-band sum: every output sample,
// gain and level must be the same bits.
TEST(EngineReference, SameBitsAsThePlainRendering)
{
    int index = 0;
    for (const reference::Settings& s : cases())
    {
        SCOPED_TRACE(index++);
        compare(s, false, true);
    }
}

// Against the tap-by-tap sum order the half-band outputs move in the last bits only; through
// the loop that stays far below the dither.
TEST(EngineReference, CloseToTheTapOrderSum)
{
    Difference worst;
    for (const reference::Settings& s : cases())
    {
        const Difference d = compare(s, true, false);
        worst.output = std::max(worst.output, d.output);
        worst.gain = std::max(worst.gain, d.gain);
    }
    EXPECT_LT(worst.output, 1e-9);
    EXPECT_LT(worst.gain, 1e-9);
    RecordProperty("worstOutputDifference", std::to_string(worst.output));
}
