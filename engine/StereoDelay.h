#pragma once

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
            pos += run;
            if (pos >= length) pos = 0;
            left += run;
            right += run;
            frames -= run;
        }
    }
    void clear();

  private:
    int capacity;
    int length;
    int pos = 0;
    double* bufL;
    double* bufR;
};
