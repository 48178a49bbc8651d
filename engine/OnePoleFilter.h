#pragma once

// First-order filter, y = b0*x + b1*x_prev + a1*y_prev, with a left and a right state.
class OnePoleFilter
{
  public:
    struct Coefficients
    {
        double b0 = 0.0, b1 = 0.0, a1 = 0.0;
    };
    enum Kind
    {
        HighPass = 1
    };

    // Bilinear transform of a first-order high-pass, without pre-warping. The frequency is kept
    // below 0.45 of the rate so the pole stays well inside the unit circle at any rate.
    static Coefficients design(double frequency, int kind, double rate);

    void designOnePole(double frequency, int kind, double rate)
    {
        coefficients = design(frequency, kind, rate);
    }
    void setCoefficients(const Coefficients& c) { coefficients = c; }
    const Coefficients& getCoefficients() const { return coefficients; }

    // The state terms are summed first: they are ready before the new sample is.
    double processLeft(double x) { return finishLeft(x, pendingLeft()); }
    // The left output's part that does not depend on the new sample, b1 x_prev + a1 y_prev;
    // finishLeft adds b0 x and advances the state.
    double pendingLeft() const { return coefficients.b1 * xl + coefficients.a1 * yl; }
    double finishLeft(double x, double pending)
    {
        const double y = coefficients.b0 * x + pending;
        xl = x;
        yl = y;
        return y;
    }
    void process(double& left, double& right)
    {
        const Coefficients& k = coefficients;
        const double yL = k.b0 * left + k.b1 * xl + k.a1 * yl;
        xl = left;
        yl = yL;
        const double yR = k.b0 * right + k.b1 * xr + k.a1 * yr;
        xr = right;
        yr = yR;
        left = yL;
        right = yR;
    }

    void reset() { xl = yl = xr = yr = 0.0; }
    double stateSum() const { return xl + yl + xr + yr; }

  private:
    Coefficients coefficients;
    double xl = 0.0, yl = 0.0, xr = 0.0, yr = 0.0;
};
