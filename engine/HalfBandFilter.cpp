#include "HalfBandFilter.h"

#include "HalfBandCoefficients.h"

#include <algorithm>
#include <new>

HalfBandFilter::HalfBandFilter() : kernel(halfband::best().kernel)
{
    double h[kHalfBandSlots];
    fillHalfBandCoefficients(h);
    for (int j = 0; j < kPairs; ++j)
        pairs[j] = h[2 * j + 1];
    hc = h[kHalfBandCentre];
}

namespace
{
constexpr int kLength = HalfBandStream::kHistory + HalfBandStream::kMaxFrames;
// 64-byte alignment keeps each vector load of a block within as few cache lines as possible.
constexpr std::align_val_t kAlignment{64};

double* allocateChannel()
{
    return static_cast<double*>(::operator new(sizeof(double) * kLength, kAlignment));
}
} // namespace

HalfBandStream::HalfBandStream() : l(allocateChannel()), r(allocateChannel())
{
    reset();
}

HalfBandStream::~HalfBandStream()
{
    ::operator delete(l, kAlignment);
    ::operator delete(r, kAlignment);
}

void HalfBandStream::advance(int frames)
{
    frames = std::clamp(frames, 0, kMaxFrames);
    std::copy(l + frames, l + frames + kHistory, l);
    std::copy(r + frames, r + frames + kHistory, r);
}

void HalfBandStream::reset()
{
    std::fill(l, l + kLength, 0.0);
    std::fill(r, r + kLength, 0.0);
}
