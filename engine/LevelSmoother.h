#pragma once

// Exponential smoothing with its time constant in milliseconds. It holds no signal state: the
// caller passes the state it smooths, so one smoother can drive several envelopes.
class LevelSmoother
{
  public:
    LevelSmoother(double timeMs = 0.0, double rateHz = 44100.0) : time(timeMs), rate(rateHz)
    {
        update();
    }

    void setTime(double ms)
    {
        time = ms;
        update();
    }
    void setRate(double hz)
    {
        rate = hz;
        update();
    }

    double getTime() const { return time; }
    double getRate() const { return rate; }
    double getCoefficient() const { return c; }
    double getComplement() const { return cc; } // 1 - c

    // The state one step on towards the target: state + (1 - c) (target - state), written so
    // that the target, which the feedback loop waits for, meets one multiplication and one
    // addition.
    double next(double target, double state) const { return cc * target + c * state; }
    void smooth(double target, double& state) const { state = next(target, state); }

    // Third-order Taylor polynomial of e^x with x = -1000 / (time * rate). The polynomial is
    // monotonic and crosses zero near x = -1.6 (a time below ~0.1 ms at a few kHz); below that
    // it would turn negative and ring, so such a smoother jumps to its target instead.
    static double coefficientFor(double timeMs, double rateHz)
    {
        if (timeMs <= 0.01) return 0.0;
        const double x = -1000.0 / (timeMs * rateHz);
        const double poly = (6.0 + x * (6.0 + x * (3.0 + x))) * 0.166666666;
        return poly > 0.0 ? poly : 0.0;
    }

  private:
    void update()
    {
        c = coefficientFor(time, rate);
        cc = 1.0 - c;
    }

    double time;
    double rate;
    double c = 0.0, cc = 1.0;
};
