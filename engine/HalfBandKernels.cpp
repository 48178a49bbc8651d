#include "HalfBandKernels.h"

namespace halfband
{
void plain(const double* history, const double* coefficients, int taps, double* sum)
{
    double l = sum[0], r = sum[1];
    for (int j = 0; j < taps; ++j)
    {
        l += coefficients[2 * j] * history[2 * j];
        r += coefficients[2 * j + 1] * history[2 * j + 1];
    }
    sum[0] = l;
    sum[1] = r;
}

void laneSplit(const double* history, const double* coefficients, int taps, double* sum)
{
    const int grouped = taps - taps % 8;
    for (int ch = 0; ch < 2; ++ch)
    {
        double s[8] = {};
        for (int j = 0; j < grouped; ++j)
            s[j % 8] += coefficients[2 * j + ch] * history[2 * j + ch];
        double total = ((s[0] + s[4]) + (s[2] + s[6])) + ((s[1] + s[5]) + (s[3] + s[7]));
        for (int j = grouped; j < taps; ++j)
            total += coefficients[2 * j + ch] * history[2 * j + ch];
        sum[ch] = total + sum[ch];
    }
}
} // namespace halfband
