#include "StereoDelay.h"

#include <algorithm>

StereoDelay::StereoDelay(int cap)
    : capacity(cap < 1 ? 1 : cap), length(capacity), bufL(new double[capacity]),
      bufR(new double[capacity])
{
    clear();
}

StereoDelay::~StereoDelay()
{
    delete[] bufL;
    delete[] bufR;
}

void StereoDelay::setLength(int newLength)
{
    length = std::clamp(newLength, 1, capacity);
    if (pos >= length) pos = 0;
}

void StereoDelay::clear()
{
    pos = 0;
    std::fill(bufL, bufL + capacity, 0.0);
    std::fill(bufR, bufR + capacity, 0.0);
}
