#pragma once

#include <algorithm>

// A fixed stereo delay line: each call returns the frame written `length` calls earlier.
// Allocates only in the constructor.
class StereoDelay
{
  public:
    explicit StereoDelay(int capacity);
    ~StereoDelay();
    StereoDelay(const StereoDelay&) = delete;
    StereoDelay& operator=(const StereoDelay&) = delete;

    // Shorter than the capacity only; used once, right after construction.
    void setLength(int length);
    int getLength() const { return length; }
    int getCapacity() const { return capacity; }

    void process(double& left, double& right)
    {
        double t = bufL[pos];
        bufL[pos] = left;
        left = t;
        t = bufR[pos];
        bufR[pos] = right;
        right = t;
        if (++pos >= length) pos = 0;
    }

    // process() on each frame of a block in turn, as runs of contiguous slots.
    void processBlock(double* left, double* right, int frames)
    {
        while (frames > 0)
        {
            const int run = frames < length - pos ? frames : length - pos;
            for (int i = 0; i < run; ++i)
            {
                const double l = bufL[pos + i], r = bufR[pos + i];
                bufL[pos + i] = left[i];
                bufR[pos + i] = right[i];
                left[i] = l;
                right[i] = r;
            }
            advance(run);
            left += run;
            right += run;
            frames -= run;
        }
    }
    // The same from inL/inR into outL/outR, memory apart from each other and from the line's:
    // copies, which run as vector loops.
    void processBlock(const double* __restrict inL, const double* __restrict inR,
                      double* __restrict outL, double* __restrict outR, int frames)
    {
        while (frames > 0)
        {
            const int run = frames < length - pos ? frames : length - pos;
            std::copy(bufL + pos, bufL + pos + run, outL);
            std::copy(bufR + pos, bufR + pos + run, outR);
            std::copy(inL, inL + run, bufL + pos);
            std::copy(inR, inR + run, bufR + pos);
            advance(run);
            inL += run;
            inR += run;
            outL += run;
            outR += run;
            frames -= run;
        }
    }
    void clear();

  private:
    void advance(int run)
    {
        pos += run;
        if (pos >= length) pos = 0;
    }

    int capacity;
    int length;
    int pos = 0;
    double* bufL;
    double* bufR;
};
