// The audio side of the session: between blocks the host may change the rate, with or without
// suspending the effect, and it may even process while suspended; blocks come in random sizes
// up to 8192 frames whatever size was announced, in 32 or 64 bits, in place or not, and now and
// then carry a burst of NaN, infinities, denormals or huge values.

#include "Soak.h"

#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <vector>

namespace soak
{
namespace
{

const float kRates[] = {8000.0f,  11025.0f, 22050.0f,  44100.0f, 48000.0f,  69999.0f,  70000.0f,
                        88200.0f, 96000.0f, 192000.0f, 12345.5f, 69999.99f, 70000.01f, 384000.0f};
constexpr int kMaxBlock = 8192;
constexpr double kMaxGain = 1.0 + 1e-6;
constexpr double kLowestLevel = -200.0;
constexpr double kHighestLevel = 700.0; // the largest burst, 1e30, is 600 dB

struct State
{
    Instance* instance;
    bool resumed = false, everResumed = false, reported = false;
    long sinceBad = 1L << 40; // host frames since the last non-finite input sample
    double phase = 0.0;
};

class AudioDriver
{
  public:
    AudioDriver(Session& session, std::uint64_t seed) : session(session), rng(seed)
    {
        for (auto* v : {&inL, &inR, &outL, &outR})
            v->resize(kMaxBlock);
        for (auto* v : {&fin, &fout})
            v->resize(2 * kMaxBlock);
    }
    void step(State& s);

  private:
    bool chance(unsigned n) { return rng() % n == 0; }
    void reconfigure(State& s);
    void fillInput(State& s, int n);
    void addBurst(State& s, int n);
    void process(State& s, int n);
    void checkOutput(State& s, int n);
    void checkMeters(State& s);
    void failWith(State& s, const std::string& what);

    Session& session;
    std::mt19937_64 rng;
    std::vector<double> inL, inR, outL, outR;
    std::vector<float> fin, fout;
};

void AudioDriver::step(State& s)
{
    if (chance(6)) reconfigure(s);
    const int n = chance(3) ? int(rng() % 512) + 1 : int(std::exp2(double(rng() % 13000) / 1000.0));
    fillInput(s, std::min(n, kMaxBlock));
    process(s, std::min(n, kMaxBlock));
}

void AudioDriver::reconfigure(State& s)
{
    AEffect* e = s.instance->effect;
    const unsigned kind = rng() % 4;
    const bool suspend = kind != 1;
    if (suspend && s.resumed) dispatch(e, effMainsChanged, 0, 0), ++session.counters.suspends;
    if (suspend) s.resumed = false;
    std::ostringstream note;
    if (kind != 2)
    {
        const float rate = kRates[rng() % (sizeof kRates / sizeof *kRates)];
        dispatch(e, effSetSampleRate, 0, 0, nullptr, rate);
        note << "rate " << rate << (suspend ? " suspended" : " live") << "; ";
        ++session.counters.rateChanges;
    }
    dispatch(e, effSetBlockSize, 0, VstIntPtr(1) << (rng() % 14));
    if (kind == 3) // a host that forgets to resume, and processes anyway
    {
        s.instance->note(note.str() + "left suspended");
        return;
    }
    s.instance->note(note.str() + (s.resumed ? "running on" : "resumed"));
    if (!s.resumed) dispatch(e, effMainsChanged, 0, 1);
    s.resumed = s.everResumed = true;
    if (e->initialDelay != kLatency)
        failWith(s, "latency " + std::to_string(e->initialDelay) + " after resume");
}

void AudioDriver::fillInput(State& s, int n)
{
    const double level = chance(4) ? 0.0 : std::exp2(-double(rng() % 16)) * 2.0;
    const double step = double(rng() % 4000 + 1) * 1e-4;
    for (int i = 0; i < n; ++i)
    {
        s.phase += step;
        inL[i] = level * std::sin(s.phase);
        inR[i] = level * std::cos(1.3 * s.phase);
    }
    if (chance(6)) addBurst(s, n);
}

void AudioDriver::addBurst(State& s, int n)
{
    static const char* names[] = {"nan", "+inf", "-inf", "denormal", "huge", "mixed"};
    const double values[] = {std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::denorm_min() * 3.0, 0.0};
    const unsigned kind = rng() % 6;
    const int start = int(rng() % unsigned(n));
    const int length = std::min(n - start, int(rng() % 2000) + 1);
    const unsigned channels = rng() % 3 + 1; // left, right or both
    for (int i = start; i < start + length; ++i)
    {
        const unsigned k = kind == 5 ? rng() % 5 : kind;
        double v = k < 4 ? values[k] : std::pow(10.0, double(rng() % 28 + 3));
        if (k == 4 && chance(2)) v = -v;
        if (channels & 1) inL[i] = v;
        if (channels & 2) inR[i] = v;
    }
    s.instance->note(std::string("burst ") + names[kind] + " at " + std::to_string(start) + "+" +
                     std::to_string(length));
    ++session.counters.bursts;
}

void AudioDriver::process(State& s, int n)
{
    AEffect* e = s.instance->effect;
    const bool wide = chance(2), inPlace = chance(3);
    if (wide)
    {
        double* in[] = {inL.data(), inR.data()};
        std::vector<double> keepL(inL.begin(), inL.begin() + n),
            keepR(inR.begin(), inR.begin() + n);
        double* out[] = {outL.data(), outR.data()};
        e->processDoubleReplacing(e, in, inPlace ? in : out, n);
        if (inPlace)
        {
            std::copy(inL.begin(), inL.begin() + n, outL.begin());
            std::copy(inR.begin(), inR.begin() + n, outR.begin());
            std::copy(keepL.begin(), keepL.end(), inL.begin());
            std::copy(keepR.begin(), keepR.end(), inR.begin());
        }
    }
    else
    {
        for (int i = 0; i < n; ++i)
            fin[i] = float(inL[i]), fin[kMaxBlock + i] = float(inR[i]);
        float* in[] = {fin.data(), fin.data() + kMaxBlock};
        float* out[] = {fout.data(), fout.data() + kMaxBlock};
        e->processReplacing(e, in, inPlace ? in : out, n);
        const float* result = inPlace ? fin.data() : fout.data();
        for (int i = 0; i < n; ++i)
            outL[i] = result[i], outR[i] = result[kMaxBlock + i];
    }
    s.instance->note(std::string(wide ? "64" : "32") + "-bit block of " + std::to_string(n) +
                     (inPlace ? " in place" : ""));
    checkOutput(s, n);
    checkMeters(s);
    ++session.counters.blocks;
    session.counters.frames += n;
}

void AudioDriver::checkOutput(State& s, int n)
{
    for (int i = 0; i < n; ++i)
    {
        if (!std::isfinite(inL[i]) || !std::isfinite(inR[i]))
        {
            s.sinceBad = 0;
            s.reported = false;
            continue;
        }
        ++s.sinceBad;
        if ((!std::isfinite(outL[i]) || !std::isfinite(outR[i])) && s.sinceBad > kRecoveryFrames)
        {
            std::ostringstream what;
            what << "non-finite output " << outL[i] << ", " << outR[i] << " at frame " << i
                 << " of the last block, " << s.sinceBad << " frames after finite input returned";
            failWith(s, what.str());
            return;
        }
    }
    if (s.everResumed && s.instance->effect->initialDelay != kLatency)
        failWith(s, "latency changed to " + std::to_string(s.instance->effect->initialDelay));
}

void AudioDriver::checkMeters(State& s)
{
    AEffect* e = s.instance->effect;
    const double gain = e->getParameter(e, 501), slow = e->getParameter(e, 502),
                 fast = e->getParameter(e, 503);
    const float active = e->getParameter(e, 506);
    if (active != (s.resumed ? 1.0f : 0.0f)) failWith(s, "active flag " + std::to_string(active));
    if (s.sinceBad <= kRecoveryFrames) return;
    auto within = [](double v, double lo, double hi)
    { return std::isfinite(v) && v >= lo && v <= hi; };
    if (!within(gain, 0.0, kMaxGain) || !within(slow, kLowestLevel, kHighestLevel) ||
        !within(fast, kLowestLevel, kHighestLevel))
    {
        std::ostringstream what;
        what << "meter values gain " << gain << ", slow " << slow << " dB, fast " << fast << " dB";
        failWith(s, what.str());
    }
}

void AudioDriver::failWith(State& s, const std::string& what)
{
    if (s.reported) // counted, but one printed report per episode is enough to read
    {
        ++session.counters.failures;
        return;
    }
    s.reported = true;
    std::ostringstream text;
    text << "instance " << s.instance->id << ": " << what << "\n  parameters:";
    AEffect* e = s.instance->effect;
    for (VstInt32 i = 0; i < kNumParams; ++i)
        text << ' ' << e->getParameter(e, i);
    text << "\n  recent audio-thread actions, oldest first:\n" << s.instance->history();
    session.fail(text.str());
}

} // namespace

void runAudio(Session& session, int thread)
{
    AudioDriver driver(session, session.options.seed * 7919 + std::uint64_t(thread));
    std::vector<State> states;
    for (std::size_t i = thread; i < session.instances.size(); i += session.options.audioThreads)
        states.push_back(State{&session.instances[i]});
    std::mt19937 pick(unsigned(session.options.seed) + unsigned(thread));
    while (session.running() && !states.empty())
        driver.step(states[pick() % states.size()]);
}

} // namespace soak
