#include "HalfBandFir.h"

#include <algorithm>
#include <new>

namespace
{
// 64-byte alignment keeps every vector load of the runs inside as few cache lines as possible.
constexpr std::align_val_t kAlignment{64};

double* allocateDoubles(int count)
{
    const std::size_t bytes = ((sizeof(double) * count + 63) / 64) * 64;
    return static_cast<double*>(::operator new(bytes == 0 ? 64 : bytes, kAlignment));
}

void freeDoubles(double* p)
{
    ::operator delete(p, kAlignment);
}
} // namespace

HalfBandFir::HalfBandFir(const double* coefficients, int length, int centreIndex)
    : taps(std::max(1, length / 2)), centre(std::clamp(centreIndex & ~1, 0, 2 * taps - 2)),
      hc(coefficients[centre]),
      odd(allocateDoubles(2 * taps)), history{allocateDoubles(4 * taps), allocateDoubles(4 * taps)},
      kernel(halfband::best().kernel), pair(halfband::best().pair)
{
    for (int j = 0; j < taps; ++j)
    {
        const int k = 2 * j + 1;
        odd[2 * j] = odd[2 * j + 1] = k < length ? coefficients[k] : 0.0;
    }
    reset();
}

HalfBandFir::~HalfBandFir()
{
    freeDoubles(odd);
    freeDoubles(history[0]);
    freeDoubles(history[1]);
}

void HalfBandFir::reset()
{
    std::fill(history[0], history[0] + 4 * taps, 0.0);
    std::fill(history[1], history[1] + 4 * taps, 0.0);
    position[0] = position[1] = 0;
    phase = 0;
}
