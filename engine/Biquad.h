#pragma once

// Second-order filter in direct form I with a left and a right state. Coefficients are stored
// already divided by a0.
class Biquad
{
  public:
    struct Coefficients
    {
        double b0 = 1.0, b1 = 0.0, b2 = 0.0, a1 = 0.0, a2 = 0.0;
    };
    enum Kind
    {
        LowPass = 0,
        HighPass = 1,
        LowShelf = 7
    };

    // Cookbook low-pass, high-pass and low-shelf designs. The frequency is held below 0.45 of
    // the rate, so every design is stable whatever the host rate.
    static Coefficients design(int kind, double frequency, double rate, double q, double gainDb);

    void designBiquad(int kind, double frequency, double rate, double q, double gainDb)
    {
        coefficients = design(kind, frequency, rate, q, gainDb);
    }
    void setCoefficients(const Coefficients& c) { coefficients = c; }
    const Coefficients& getCoefficients() const { return coefficients; }

    void process(double& left, double& right) { finish(left, right, pending(l), pending(r)); }
    // Each channel's output part that does not depend on the new sample; finish adds b0 x and
    // advances the states.
    double pendingLeft() const { return pending(l); }
    double pendingRight() const { return pending(r); }
    void finish(double& left, double& right, double pendingL, double pendingR)
    {
        left = finish(left, pendingL, l);
        right = finish(right, pendingR, r);
    }

    void reset() { l = r = Channel{}; }
    double stateSum() const { return l.x1 + l.x2 + l.y1 + l.y2 + r.x1 + r.x2 + r.y1 + r.y2; }

  private:
    struct Channel
    {
        double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    };

    // The state terms are summed first: they are ready long before the new sample is, which
    // then waits for one multiplication and one addition.
    double pending(const Channel& s) const
    {
        const Coefficients& k = coefficients;
        return (k.b1 * s.x1 + k.b2 * s.x2) - (k.a1 * s.y1 + k.a2 * s.y2);
    }
    double finish(double x, double pendingPart, Channel& s) const
    {
        const double y = coefficients.b0 * x + pendingPart;
        s.x2 = s.x1;
        s.x1 = x;
        s.y2 = s.y1;
        s.y1 = y;
        return y;
    }

    Coefficients coefficients;
    Channel l, r;
};
