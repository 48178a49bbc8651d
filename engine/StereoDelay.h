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

    void clear();

  private:
    int capacity;
    int length;
    int pos = 0;
    double* bufL;
    double* bufR;
};
